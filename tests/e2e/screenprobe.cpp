// The end-to-end tests' eyes and hands on an X display, beside xdotool:
//
//   screenprobe grab <window id> <file.png>
//       saves what the window shows
//   screenprobe colours <file.png> <x> <y> <w> <h>
//       prints how many colours the region holds (1: blank)
//   screenprobe differs <a.png> <b.png> <x> <y> <w> <h>
//       prints the share of the region's pixels, in per cent, that differ
//   screenprobe close <window id>
//       asks the window to close, as a window manager's close button does
//
// Regions are given in per cent of the picture's width and height, so that
// they do not depend on the size the window opened at. Exit status 2 means
// the command itself failed.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QSet>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

int fail(const char* message)
{
    std::fprintf(stderr, "screenprobe: %s\n", message);
    return 2;
}

// The region of image given by four per-cent figures in args from index first.
QRect region(const QImage& image, const QStringList& args, int first)
{
    auto at = [&](int i, int size) { return qRound(args.at(first + i).toDouble() * size / 100.0); };
    const QRect wanted(at(0, image.width()), at(1, image.height()), at(2, image.width()),
                       at(3, image.height()));
    return wanted.intersected(image.rect());
}

int grab(const QStringList& args)
{
    bool ok = false;
    const WId window = args.at(2).toULongLong(&ok, 0);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!ok || !screen)
        return fail("no window id or no screen");
    const QPixmap shot = screen->grabWindow(window);
    if (shot.isNull() || !shot.save(args.at(3)))
        return fail("could not grab or save the window");
    return EXIT_SUCCESS;
}

int colours(const QStringList& args)
{
    const QImage image(args.at(2));
    if (image.isNull())
        return fail("cannot read the picture");
    const QRect area = region(image, args, 3);
    QSet<QRgb> seen;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            seen.insert(image.pixel(x, y));
    std::printf("%lld\n", static_cast<long long>(seen.size()));
    return EXIT_SUCCESS;
}

int differs(const QStringList& args)
{
    const QImage a(args.at(2));
    const QImage b(args.at(3));
    if (a.isNull() || b.isNull())
        return fail("cannot read the pictures");
    if (a.size() != b.size()) {
        std::printf("100\n");
        return EXIT_SUCCESS;
    }
    const QRect area = region(a, args, 4);
    if (area.isEmpty())
        return fail("empty region");
    qint64 changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    std::printf("%lld\n", changed * 100 / (qint64(area.width()) * area.height()));
    return EXIT_SUCCESS;
}

// Sends WM_DELETE_WINDOW the way window managers do, so that the program
// goes through its ordinary close.
int close(const QStringList& args)
{
    bool ok = false;
    const xcb_window_t window = args.at(2).toUInt(&ok, 0);
    if (!ok)
        return fail("no window id");
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(
        xcb_connect(nullptr, nullptr), xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return fail("cannot connect to the display");
    auto atom = [&](const char* name) {
        const auto cookie = xcb_intern_atom(connection.get(), 0, qstrlen(name), name);
        std::unique_ptr<xcb_intern_atom_reply_t, void (*)(void*)> reply(
            xcb_intern_atom_reply(connection.get(), cookie, nullptr), std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // Checked, so that the server has handled the request (and said whether
    // it took it) before the connection closes.
    const auto cookie = xcb_send_event_checked(connection.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                                               reinterpret_cast<const char*>(&event));
    std::unique_ptr<xcb_generic_error_t, void (*)(void*)> error(
        xcb_request_check(connection.get(), cookie), std::free);
    return error ? fail("the display refused the request") : EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(1);
    // Only a picture of the screen needs a connection of Qt's own; the others
    // stay off the display, or use a plain connection that does nothing else.
    if (command == QLatin1String("grab") && args.size() == 4) {
        QGuiApplication app(argc, argv);
        return grab(args);
    }
    if (command == QLatin1String("colours") && args.size() == 7)
        return colours(args);
    if (command == QLatin1String("differs") && args.size() == 8)
        return differs(args);
    if (command == QLatin1String("close") && args.size() == 3)
        return close(args);
    return fail("usage: grab <wid> <png> | colours <png> x y w h | differs <a> <b> x y w h | "
                "close <wid>");
}
