#include "shell/desktop_icons.h"

namespace corvane {
namespace {

list_view_access& state() {
    static list_view_access access;
    return access;
}

}  // namespace

const list_view_access& list_view_state() { return state(); }

bool attach_list_view(list_view_info&) {
    state().list_view_window = 0;
    return false;
}

void open_shared_buffers(window_handle) {}
void close_shared_buffers() {}
void desktop_may_answer_again() {}
std::string get_item_text(int, int) { return {}; }
icon_point get_item_position(int) { return {}; }
bool is_nt_platform() { return false; }
shared_buffer shared_alloc(std::size_t, std::uint32_t) { return {}; }
void shared_free(shared_buffer& buffer) {
    buffer.handle = 0;
    buffer.address = 0;
}
void shared_abandon(shared_buffer& buffer) { shared_free(buffer); }
void shared_read(const shared_buffer&, void*, std::size_t) {}
void shared_write(const shared_buffer&, const void*, std::size_t) {}
std::string window_class_name(window_handle) { return {}; }
std::optional<icon_point> get_desktop_icon_position(const std::string&) { return std::nullopt; }
void set_desktop_icon_position(const std::string&, icon_point) {}
std::optional<desktop_layout> read_desktop_layout() { return std::nullopt; }
display_info current_display() { return {}; }

}  // namespace corvane
