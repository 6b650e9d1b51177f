#include "mainwindow/arriving_pictures_win.h"

#include "links/link_images_win.h"
#include "links/settings_file_win.h"
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

// Whether the link waits for the job's picture.
bool waits_for(const Link& link, const PictureJob& job) {
    if (link.picture_request == 0) return false;
    for (std::uint32_t request : job.requests) {
        if (link.picture_request == request) return true;
    }
    return false;
}

// One arrival onto its links and into the cache; true when a link shows it.
bool accept(ProgramState& program, HWND window, const FoundPicture& found) {
    DeferredPictures& pictures = program.pictures;
    if (found.job >= pictures.jobs.size()) return false;
    const PictureJob& job = pictures.jobs[found.job];
    const LinkImage picture = found.pixels ? icon_picture_from_pixels(*found.pixels, window) : LinkImage{};
    bool shown = false;
    for (Link& link : program.links) {
        if (!waits_for(link, job)) continue;
        if (picture) {
            show_looked_up_icon(link, picture);
        } else {
            load_default_image(link, pictures.default_picture, &pictures.defaults);
        }
        shown = true;
    }
    if (found.pixels && found.keep && picture && !job.lookup.key.empty() && pictures.cache) {
        pictures.cache->keep(job.lookup.key, *found.pixels);
    }
    if (pictures.outstanding > 0 && --pictures.outstanding == 0) finish_cache(program);
    return shown;
}

}  // namespace

void take_unseen_pictures(ProgramState& program) {
    const bool any = !program.pictures.unseen.empty();
    take_unseen_pictures(program.pictures, program.main_window, program.icon_cache);
    if (program.icon_cache) note_change(program, &ChangeFlags::icon_cache_changed);
    // A picture larger than a cell (a custom one) may reach into view from
    // a link outside it: whatever of them shows is painted now.
    if (any && program.main_window) {
        if (MainWindow* data = main_window_data(program.main_window)) {
            repaint_view(program.main_window, AREA_LINKS, program, data->paint_cache);
        }
    }
}

void start_picture_lookups(ProgramState& program) {
    DeferredPictures& pictures = program.pictures;
    if (pictures.jobs.empty()) {
        if (program.main_window) RemovePropW(program.main_window, kPicturesToComeProperty);
        return;
    }
    if (!program.picture_lookups.start(pictures.jobs, program.main_window, WM_PICTURE_FOUND, program.look_up_picture)) {
        // No worker: looked up here, as before there was one.
        for (const PictureJob& job : pictures.jobs) {
            for (Link& link : program.links) {
                if (waits_for(link, job)) {
                    make_icon_image(link, job.lookup.path, program.main_window, pictures.default_picture);
                }
            }
        }
        finish_cache(program);
        repaint_areas(program.main_window, AREA_WORK, program.header_height);
        UpdateWindow(program.main_window);
        RemovePropW(program.main_window, kPicturesToComeProperty);
    }
}

void mark_pictures_to_come(const ProgramState& program) {
    if (!program.pictures.jobs.empty() || !program.pictures.unseen.empty()) {
        SetPropW(program.main_window, kPicturesToComeProperty, reinterpret_cast<HANDLE>(1));
    }
}

void accept_found_pictures(MainWindow& data, HWND window) {
    ProgramState& program = data.program;
    bool shown = false;
    for (const FoundPicture& found : program.picture_lookups.take_arrivals()) {
        shown = accept(program, window, found) || shown;
    }
    if (shown) repaint_view(window, AREA_LINKS, program, data.paint_cache);
    if (program.pictures.outstanding == 0 && GetPropW(window, kPicturesToComeProperty)) {
        UpdateWindow(window);
        RemovePropW(window, kPicturesToComeProperty);
    }
}

void settle_pictures(ProgramState& program) {
    // A run that ends before the first paint's follow-up still keeps the
    // cache's entries of the links out of view.
    if (!program.pictures.unseen.empty() || program.pictures.start_shared) {
        take_unseen_pictures(program.pictures, program.main_window, program.icon_cache);
        if (program.icon_cache) note_change(program, &ChangeFlags::icon_cache_changed);
    }
    program.picture_lookups.stop();
    // What arrived after the message loop ended still counts.
    for (const FoundPicture& found : program.picture_lookups.take_arrivals()) accept(program, program.main_window, found);
    if (program.pictures.outstanding > 0) finish_cache(program);
    if (program.main_window) RemovePropW(program.main_window, kPicturesToComeProperty);
}

}  // namespace qb
