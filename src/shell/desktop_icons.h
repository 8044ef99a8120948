#pragma once
// The desktop's icons are items of a list view in the shell's process. This module attaches
// to such a foreign list view, reads labels and positions through buffers that both
// processes reach, and finds and moves a shortcut's desktop icon.
//
// One access at a time: open_shared_buffers, attach_list_view, any number of reads,
// close_shared_buffers. The portable build has no desktop list view: nothing attaches,
// every read is empty or (0, 0) and nothing moves.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/icon_places.h"

namespace corvane {

using window_handle = std::uintptr_t;

// The description of one list view; the caller sets window and owns the record.
struct list_view_info {
    window_handle window = 0;
    std::string class_name;
    std::int32_t item_total = 0;
};

// Memory both this process and the list view's owner reach, and its one owner: on the NT
// family an allocation inside the owner (handle: the owner process, address: in the
// owner); on the older family a mapped view (handle: the mapping, address: the view).
// Address 0 means nothing is allocated; a handle may stay open without an address when
// the allocation failed. Released by shared_free or when the object goes.
class shared_buffer {
public:
    std::uintptr_t handle = 0;
    std::uintptr_t address = 0;
    bool mapped = false;
    std::size_t size = 0;

    shared_buffer() = default;
    ~shared_buffer();
    shared_buffer(shared_buffer&& other) noexcept;
    shared_buffer& operator=(shared_buffer&& other) noexcept;
    shared_buffer(const shared_buffer&) = delete;
    shared_buffer& operator=(const shared_buffer&) = delete;
};

// The module's state for the current access, for the crash filter and for tests.
struct list_view_access {
    window_handle list_view_window = 0;  // 0 when none is attached
    std::uint32_t owner_process_id = 0;
    bool owner_is_64_bit = false;  // the request layout the owner reads
    shared_buffer shared_item;     // the request structure
    shared_buffer shared_text;     // 255 UTF-16 characters of text
    shared_buffer shared_point;    // x then y
    std::intptr_t last_result = 0;
    // A message went unanswered in time: the shell may still be working on it, and writing
    // into the buffers, so they are left to it when closed.
    bool request_pending = false;
    // That list view is not asked again until the next refresh.
    window_handle silent_window = 0;
    bool platform_known = false;
    bool platform_is_nt = false;
};
const list_view_access& list_view_state();

// True when the window exists and its class name contains "listview" (any case); the
// record is filled then. A class without "listview" sets window to 0; a handle that is no
// window leaves the record untouched.
bool attach_list_view(list_view_info& info);
void open_shared_buffers(window_handle list_view);
// Harmless when nothing is allocated. Buffers a request may still be pending on are not
// freed but left to the list view's owner: a bounded loss, once per silent shell and refresh.
void close_shared_buffers();
// A new refresh: a list view that did not answer in time is asked again.
void desktop_may_answer_again();

// Items and columns count from 1. Empty text or (0, 0) when unavailable.
std::string get_item_text(int item, int column);
icon_point get_item_position(int item);

// Asks the system once and keeps the answer.
bool is_nt_platform();

shared_buffer shared_alloc(std::size_t size, std::uint32_t process_id);
void shared_free(shared_buffer& buffer);
// Lets go of the buffer without freeing its memory.
void shared_abandon(shared_buffer& buffer);
void shared_read(const shared_buffer& buffer, void* local, std::size_t count);
void shared_write(const shared_buffer& buffer, const void* local, std::size_t count);

std::string window_class_name(window_handle window);
// The NUL-terminated UTF-16 text at address.
std::string wide_to_text(const char16_t* address);

// The desktop icon of that shortcut file: through the shell's desktop view where it answers
// (shell/desktop_view.h), otherwise the list view item whose label + ".lnk" equals the file
// name exactly, the first such item. None when there is none, no desktop list view or the
// desktop did not answer.
std::optional<icon_point> get_desktop_icon_position(const std::string& link_file_name);
// Moves that icon the same way; does nothing when there is none.
void set_desktop_icon_position(const std::string& link_file_name, icon_point position);
// Every icon's label and place, with what placing needs to know of the desktop and the
// screen; nothing when there is no desktop list view. Labels and places are left out
// when the desktop hides its icons or arranges them itself.
std::optional<desktop_layout> read_desktop_layout();
// The display now, kept with every place read from the desktop.
display_info current_display();

// The point as one message parameter: x in the low 16 bits, y in the high 16 bits, each
// on its own, so that a negative x does not borrow from y.
std::int32_t pack_icon_point(icon_point position);

}  // namespace corvane
