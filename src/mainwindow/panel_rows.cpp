#include "mainwindow/panel_rows.h"

namespace qb {

std::vector<FoundFile*> new_rows(FoundFileList& list) {
    std::vector<FoundFile*> rows;
    list.for_each([&rows](FoundFile& record) {
        if (record.is_new) rows.push_back(&record);
    });
    return rows;
}

}  // namespace qb
