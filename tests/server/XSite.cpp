// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "server/XSite.h"

#include <cstdlib>
#include <cstring>

namespace lutaris::test {

namespace {

template <typename T>
struct Freed {
    T* reply;
    ~Freed() { std::free(reply); }
    T* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

}  // namespace

XSite::XSite(QSize size) {
    connection_ = xcb_connect(nullptr, nullptr);
    connectionError_ = xcb_connection_has_error(connection_);
    if (connectionError_ != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t values[] = {screen_->white_pixel,
                                    XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    container_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, container_, screen_->root, 0, 0,
                      static_cast<std::uint16_t>(size.width() + 20),
                      static_cast<std::uint16_t>(size.height() + 20), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    site_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, site_, container_, 10, 10,
                      static_cast<std::uint16_t>(size.width()),
                      static_cast<std::uint16_t>(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen_->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(connection_, site_);
    xcb_map_window(connection_, container_);
    const char name[] = "_XEMBED";
    Freed<xcb_intern_atom_reply_t> atom{xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr)};
    if (atom) xembed_ = atom->atom;
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

XSite::~XSite() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

std::vector<xcb_window_t> XSite::Children(xcb_window_t window) const {
    Freed<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr)};
    if (!tree) return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.reply);
    return {children, children + xcb_query_tree_children_length(tree.reply)};
}

xcb_window_t XSite::Parent(xcb_window_t window) const {
    Freed<xcb_query_tree_reply_t> tree{
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr)};
    return tree ? tree->parent : 0;
}

QRect XSite::Geometry(xcb_window_t window) const {
    Freed<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr)};
    if (!geometry) return {};
    return {geometry->x, geometry->y, geometry->width, geometry->height};
}

std::string XSite::Name(xcb_window_t window) const {
    Freed<xcb_get_property_reply_t> property{xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0,
                         1024),
        nullptr)};
    if (!property) return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(property.reply));
    return {text, text + xcb_get_property_value_length(property.reply)};
}

QPoint XSite::ScreenOrigin(xcb_window_t window) const {
    Freed<xcb_translate_coordinates_reply_t> origin{xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, screen_->root, 0, 0),
        nullptr)};
    return origin ? QPoint(origin->dst_x, origin->dst_y) : QPoint();
}

QImage XSite::Grab() const {
    const QRect area = Geometry(site_);
    if (area.isEmpty()) return {};
    // From the root: a window's own image leaves out what its children draw on some servers.
    return GrabScreen(QRect(ScreenOrigin(site_), area.size()));
}

QImage XSite::GrabScreen(const QRect& area) const {
    Freed<xcb_get_image_reply_t> image{xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root,
                      static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
                      static_cast<std::uint16_t>(area.width()),
                      static_cast<std::uint16_t>(area.height()), ~0u),
        nullptr)};
    if (!image || image->depth != 24) return {};
    const int length = xcb_get_image_data_length(image.reply);
    if (length < area.width() * area.height() * 4) return {};
    QImage picture(area.size(), QImage::Format_RGB32);
    const std::uint8_t* data = xcb_get_image_data(image.reply);
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(picture.scanLine(y), data + y * area.width() * 4,
                    static_cast<std::size_t>(area.width()) * 4);
    return picture;
}

xcb_window_t XSite::TopLevelNamed(const std::string& name) const {
    for (const xcb_window_t window : Children(screen_->root))
        if (Name(window) == name) return window;
    return 0;
}

void XSite::Focus(xcb_window_t window) {
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

void XSite::SendXEmbed(xcb_window_t client, std::uint32_t message, std::uint32_t detail,
                       std::uint32_t data1, std::uint32_t data2) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client;
    event.type = xembed_;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = message;
    event.data.data32[2] = detail;
    event.data.data32[3] = data1;
    event.data.data32[4] = data2;
    xcb_send_event(connection_, 0, client, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
}

void XSite::Embed(xcb_window_t client) {
    constexpr std::uint32_t kEmbeddedNotify = 0;
    constexpr std::uint32_t kWindowActivate = 1;
    constexpr std::uint32_t kFocusIn = 4;
    SendXEmbed(client, kEmbeddedNotify, 0, site_, 0);
    SendXEmbed(client, kWindowActivate, 0, 0, 0);
    SendXEmbed(client, kFocusIn, 0, 0, 0);
    xcb_flush(connection_);
}

xcb_keycode_t XSite::KeycodeOf(std::uint32_t keysym) const {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Freed<xcb_get_keyboard_mapping_reply_t> mapping{xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr)};
    if (!mapping) return 0;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.reply);
    const int perKeycode = mapping->keysyms_per_keycode;
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < perKeycode; ++j)
            if (keysyms[i * perKeycode + j] == keysym)
                return static_cast<xcb_keycode_t>(setup->min_keycode + i);
    return 0;
}

void XSite::ForwardKey(xcb_window_t client, std::uint32_t keysym, std::uint16_t modifiers) {
    xcb_key_press_event_t event{};
    event.detail = KeycodeOf(keysym);
    event.time = XCB_CURRENT_TIME;
    event.root = screen_->root;
    event.event = client;
    event.state = modifiers;
    event.same_screen = 1;
    event.response_type = XCB_KEY_PRESS;
    xcb_send_event(connection_, 0, client, XCB_EVENT_MASK_KEY_PRESS,
                   reinterpret_cast<const char*>(&event));
    event.response_type = XCB_KEY_RELEASE;
    xcb_send_event(connection_, 0, client, XCB_EVENT_MASK_KEY_RELEASE,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection_);
}

void XSite::DestroySite() {
    xcb_destroy_window(connection_, site_);
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

}  // namespace lutaris::test
