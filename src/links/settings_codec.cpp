#include "links/settings_codec.h"

namespace qb {

namespace {
constexpr char kMagic[] = {'Q', 'B', '1'};

void write(ByteWriter& out, const StoredString& s) { out.write_string(s.text); }
}  // namespace

std::vector<std::uint8_t> encode_settings(const StoredSettings& settings) {
    ByteWriter file;
    file.write_raw(std::string_view(kMagic, sizeof kMagic));
    file.write_integer(settings.window_width);
    file.write_integer(settings.window_height);
    write(file, settings.theme_name);
    file.write_integer(static_cast<std::int64_t>(settings.links.size()));
    for (const StoredLink& link : settings.links) {
        file.write_flag(link.close_on_activate);
        file.write_flag(link.custom_image);
        file.write_flag(link.root_relative);
        file.write_integer(link.x);
        file.write_integer(link.y);
        write(file, link.target);
        write(file, link.caption);
        write(file, link.image_path);
    }
    for (bool option : settings.options) file.write_flag(option);
    return file.take();
}

StoredSettings decode_settings(std::span<const std::uint8_t> bytes) {
    StoredSettings settings;
    ByteReader in(bytes);
    in.skip(sizeof kMagic);  // any magic is accepted
    settings.window_width = in.read_integer();
    settings.window_height = in.read_integer();
    settings.theme_name = in.read_string();
    settings.declared_link_count = in.read_integer();
    for (std::uint32_t i = 0; i < settings.declared_link_count && !in.at_end(); ++i) {
        StoredLink link;
        link.close_on_activate = in.read_flag();
        link.custom_image = in.read_flag();
        link.root_relative = in.read_flag();
        link.x = in.read_integer();
        link.y = in.read_integer();
        link.target = in.read_string();
        link.caption = in.read_string();
        link.image_path = in.read_string();
        settings.links.push_back(std::move(link));
    }
    for (bool& option : settings.options) option = in.read_flag();
    return settings;
}

}  // namespace qb
