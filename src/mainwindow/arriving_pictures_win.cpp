#include "mainwindow/arriving_pictures_win.h"

#include <memory>

#include "links/link_images_win.h"
#include "mainwindow/saving_win.h"
#include "mainwindow/window_shape_win.h"
#include "render/window_areas.h"

namespace qb {

namespace {

// Every picture is in, or no more will come: what icons.dat holds next.
void finish_cache(ProgramState& program) {
    DeferredPictures& pictures = program.pictures;
    if (pictures.cache) {
        program.icon_cache = pictures.cache->result();
        pictures.cache.reset();
        if (program.icon_cache) note_change(program, &ChangeFlags::icon_cache_changed);
    }
    pictures.jobs.clear();
    pictures.job_by_key.clear();
    pictures.outstanding = 0;
}

}  // namespace

void start_picture_lookups(ProgramState& program) {
    if (program.pictures.jobs.empty()) return;
    if (!program.picture_lookups.start(program.pictures.jobs, program.main_window, WM_PICTURE_FOUND,
                                       program.look_up_picture)) {
        // No worker: the links keep their captions alone this run.
        finish_cache(program);
    }
}

void accept_found_picture(MainWindow& data, HWND window, LPARAM lparam) {
    const std::unique_ptr<FoundPicture> found(reinterpret_cast<FoundPicture*>(lparam));
    ProgramState& program = data.program;
    DeferredPictures& pictures = program.pictures;
    if (!found || found->job >= pictures.jobs.size()) return;
    const PictureJob& job = pictures.jobs[found->job];
    const LinkImage picture =
        found->pixels ? icon_picture_from_pixels(*found->pixels, window) : LinkImage{};
    const std::string default_picture = default_picture_path(program.theme_folder());
    bool shown = false;
    for (Link& link : program.links) {
        if (link.picture_request == 0) continue;
        bool waits = false;
        for (std::uint32_t request : job.requests) waits = waits || link.picture_request == request;
        if (!waits) continue;
        if (picture) {
            show_looked_up_icon(link, picture);
        } else {
            load_default_image(link, default_picture);
        }
        shown = true;
    }
    if (found->pixels && found->keep && picture && !job.lookup.key.empty() && pictures.cache) {
        pictures.cache->keep(job.lookup.key, *found->pixels);
    }
    if (shown) repaint_view(window, AREA_LINKS, program, data.paint_cache);
    if (pictures.outstanding > 0 && --pictures.outstanding == 0) finish_cache(program);
}

void settle_pictures(ProgramState& program) {
    program.picture_lookups.stop();
    if (program.pictures.outstanding > 0) finish_cache(program);
}

}  // namespace qb
