#include "search/found_file_list.h"

#include <utility>

#include "common/byte_codec.h"
#include "common/letter_case.h"

namespace qb {

std::string_view strip_drive_prefix(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') path.remove_prefix(3);
    return path;
}

FoundFile& FoundFileList::add(std::string_view path) {
    Guard lock = guard();
    std::string_view relative = strip_drive_prefix(path);
    if (FoundFile* known = find(relative)) {
        known->not_seen = false;
        return *known;
    }
    dirty_ = true;
    FoundFile& record = records_.emplace_back();
    record.path.assign(relative);
    std::size_t last = relative.rfind('\\');
    if (last == std::string_view::npos) {
        record.name.assign(relative);
    } else {
        record.name.assign(relative.substr(last + 1));
        record.folder.assign(relative.substr(0, last));
    }
    index_.emplace(folded(record.path), &record);
    return record;
}

FoundFile* FoundFileList::find(std::string_view relative_path) {
    Guard lock = guard();
    auto it = index_.find(folded(relative_path));
    return it == index_.end() ? nullptr : it->second;
}

int FoundFileList::count_all() const {
    Guard lock = guard();
    return static_cast<int>(records_.size());
}

int FoundFileList::count_new() const {
    Guard lock = guard();
    int n = 0;
    for (const FoundFile& record : records_) n += record.is_new ? 1 : 0;
    return n;
}

FoundFile* FoundFileList::new_at(int index) {
    return const_cast<FoundFile*>(std::as_const(*this).new_at(index));
}

const FoundFile* FoundFileList::new_at(int index) const {
    Guard lock = guard();
    if (index < 0) return nullptr;
    for (const FoundFile& record : records_) {
        if (record.is_new && index-- == 0) return &record;
    }
    return nullptr;
}

std::optional<std::string> FoundFileList::path_at(int index) const {
    Guard lock = guard();
    if (index < 0) return std::nullopt;
    for (const FoundFile& record : records_) {
        if (index-- == 0) return record.path;
    }
    return std::nullopt;
}

void FoundFileList::mark_all_not_seen() {
    Guard lock = guard();
    for (FoundFile& record : records_) record.not_seen = true;
}

void FoundFileList::remove_not_seen() {
    Guard lock = guard();
    for (auto it = records_.begin(); it != records_.end();) {
        if (it->not_seen) {
            index_.erase(folded(it->path));
            it = records_.erase(it);
            dirty_ = true;
        } else {
            ++it;
        }
    }
}

void FoundFileList::clear() {
    Guard lock = guard();
    index_.clear();
    records_.clear();
}

bool FoundFileList::dirty() const {
    Guard lock = guard();
    return dirty_;
}

std::vector<std::uint8_t> FoundFileList::encode() const {
    Guard lock = guard();
    ByteWriter out;
    out.write_integer(static_cast<std::int64_t>(records_.size()));
    for (const FoundFile& record : records_) out.write_string(record.path);
    return out.take();
}

void FoundFileList::load_from(std::span<const std::uint8_t> bytes) {
    Guard lock = guard();
    ByteReader in(bytes);
    const std::uint32_t count = in.read_integer();
    for (std::uint32_t i = 0; i < count && !in.at_end(); ++i) {
        StoredString path = in.read_string();
        if (path.declared_length == 0) continue;
        if (!path.complete || path.declared_length > kMaxStoredString) continue;
        FoundFile& record = add(path.text);
        record.is_new = false;
        record.not_seen = false;
    }
}

}  // namespace qb
