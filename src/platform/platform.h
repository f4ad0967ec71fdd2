// The platform seam: everything the GUI toolkit needs from the system, and
// nothing more. The toolkit (src/gui) includes only this header; exactly one
// window backend (headless, x11 or win32) implements it per target, chosen by
// the build. No system header leaks through: native objects stay behind
// abstract classes or opaque handles.
//
// Two directions:
// - outbound, toolkit -> backend: surfaces, images, windows, pointer, keys,
//   ticks and resources, all declared here;
// - inbound, backend -> toolkit: the window procedure registered with the
//   window class. The backend decodes its native messages into WindowMessage
//   and calls it; it never touches views or controls.
//
// Coordinates are signed pixels, y growing downward, always the toolkit's
// own (the design's). A window shown at a scale (setWindowScale) is larger
// on the screen; its backend multiplies whatever is drawn and divides the
// pointer, so no caller ever sees a device pixel. Rectangles handed to
// the seam are half-open: (left, top, right, bottom) covers the pixels
// left <= x < right and top <= y < bottom. The toolkit converts its own
// both-edges-included rectangles before calling.
//
// Threads: every function here is called on the host's user-interface thread
// only. Nothing is locked.
//
// Failures are return values: false, null, or an empty answer. Nothing
// throws.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Half-open rectangle (see above).
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class PenStyle { solid, dotted };

// How drawString places its text inside the box; always a single line,
// vertically centred, clipped to the box.
enum class TextPlacement { left, center, right };

enum class FontPitch { defaultPitch, variable };
enum class FontFamily { swiss, decorative };

// One row of the toolkit's font table. `height` is the character height in
// pixels (the em, without internal leading), not the cell height.
struct FontRequest {
    const char* face = "Arial";
    int height = 12;
    int weight = 400;  // 400 normal, 700 bold
    FontPitch pitch = FontPitch::variable;
    FontFamily family = FontFamily::swiss;
};

// Block-transfer operations, destination := f(destination, source).
// Between a colour and a one-bit surface the pixels convert as follows:
// - colour source -> mask destination: a source pixel equal to the source
//   surface's background colour becomes 1 (white), every other pixel 0;
// - mask source -> colour destination: 1 becomes the destination's
//   background colour, 0 its text colour (white and black on a fresh memory
//   surface).
enum class RasterOp {
    copy,       // source
    andSource,  // destination AND source
    orSource,   // destination OR source
    notSource,  // NOT source
};

// Bits of the asynchronous mouse and modifier state.
enum MouseStateBits : unsigned {
    kMouseLeft = 1,
    kMouseMiddle = 2,
    kMouseRight = 4,
    kKeyShift = 8,
    kKeyControl = 16,
    kKeyAlt = 32,
};

// A block of pixels: either colour or one bit per pixel (a mask). Owned by
// whoever created it; it must outlive every surface selected onto it.
class Image {
public:
    virtual ~Image() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual bool isMask() const = 0;
};

// A drawing target: a window's device context, a paint in progress, or a
// memory surface drawing into an Image. It keeps one pen, one brush, one font,
// a text colour, a background colour and a background mode, and its own
// current position for moveTo/lineTo.
//
// A fresh surface has a one-pixel solid black pen, a white brush, no font
// (the backend's default face), black text, a white background and opaque
// background mode. pushState remembers the selected pen, brush and font;
// popState selects them back and frees what was created since. A drawing
// context brackets its life with the two.
//
// Primitive semantics (all coordinates in surface pixels):
// | call        | pixels                                                        |
// |-------------|---------------------------------------------------------------|
// | lineTo      | from the current position to p with the pen, p not drawn      |
// | polyline    | lineTo through every point in turn                            |
// | fillPolygon | the interior by the brush, no outline (even-odd rule)        |
// | fillBox     | exactly the half-open box, with the brush                     |
// | ellipse     | outline (stroke) with the pen inside the half-open box, or    |
// |             | interior (fill) with the brush, no outline                    |
// | arc / pie   | counter-clockwise (as seen on screen) from the ray through    |
// |             | `from` to the ray through `to`; equal rays give the full turn |
// | setPixel    | one pixel, any colour, pen untouched                          |
// | drawString  | the text in the text colour with the font; in opaque mode its |
// |             | cell is first painted in the background colour               |
class Surface {
public:
    virtual ~Surface() = default;

    virtual void pushState() = 0;
    virtual void popState() = 0;

    // False leaves the previously selected object in place.
    [[nodiscard]] virtual bool setPen(Rgb color, int width, PenStyle style) = 0;
    [[nodiscard]] virtual bool setBrush(Rgb color) = 0;
    [[nodiscard]] virtual bool setFont(const FontRequest& font) = 0;
    virtual void setTextColor(Rgb color) = 0;
    virtual void setBackgroundColor(Rgb color) = 0;
    virtual void setBackgroundOpaque(bool opaque) = 0;

    virtual void moveTo(Point p) = 0;
    virtual void lineTo(Point p) = 0;
    virtual void polyline(const Point* points, int count) = 0;
    virtual void fillPolygon(const Point* points, int count) = 0;
    virtual void fillBox(const Box& box) = 0;
    virtual void strokeEllipse(const Box& box) = 0;
    virtual void fillEllipse(const Box& box) = 0;
    virtual void strokeArc(const Box& box, Point from, Point to) = 0;
    virtual void fillPie(const Box& box, Point from, Point to) = 0;
    virtual void setPixel(Point p, Rgb color) = 0;
    virtual void drawString(const char* text, const Box& box, TextPlacement placement) = 0;

    // Copies width x height pixels of `source` from (sx, sy) to (dx, dy) of
    // this surface. False when the two surfaces cannot exchange pixels.
    [[nodiscard]] virtual bool copyFrom(const Surface& source, int dx, int dy, int width,
                                        int height, int sx, int sy, RasterOp op) = 0;
};

// Images and memory surfaces. `compatible` is the surface the result will
// exchange pixels with (may be null for a surface of the screen's format);
// the image takes its scale: width x height are the toolkit's pixels.
std::unique_ptr<Image> createImage(const Surface* compatible, int width, int height);
std::unique_ptr<Image> createMask(int width, int height, const Surface* compatible = nullptr);
// A memory surface drawing into `image`, which must outlive it.
std::unique_ptr<Surface> createImageSurface(const Surface* compatible, Image& image);
// The module's bitmap resource with this numeric id; null when there is none
// or it cannot be decoded.
std::unique_ptr<Image> loadBitmapResource(int resourceId);
// A resource drawn for `scalePercent`: its pixels are the device's, its size
// the design's (designWidth x frames * frameHeight), each frame of a strip
// scaled on its own. Copied to a window of that scale, pixel for pixel.
// Null as above, or when the resource's size is not the scaled size.
std::unique_ptr<Image> loadScaledBitmapResource(int resourceId, int scalePercent, int designWidth,
                                                int frameHeight, int frames);

// Windows. A NativeWindow is whatever the host's system calls a window: an
// HWND on Windows, an X11 window id (cast to a pointer) on Linux. A
// WindowHandle is the backend's own child-window object.
using NativeWindow = void*;
using WindowHandle = void*;

enum class MessageKind { leftButtonDown, rightButtonDown, paint, destroy, wheel };

// A decoded window message. `where` holds the client point of button
// messages; `surface` is the paint surface of a paint message (valid only
// during the call; the backend begins and ends the paint around it).
// A wheel message holds the pointer's client point in `where`, the notches
// turned in `wheelNotches` (positive away from the user, "up") and the
// modifier keys held (kKeyShift, kKeyControl, kKeyAlt) in `keys`.
struct WindowMessage {
    MessageKind kind = MessageKind::paint;
    Point where;
    Surface* surface = nullptr;
    int wheelNotches = 0;
    unsigned keys = 0;
};

// The inbound call. The backend does its default processing after it
// returns.
using WindowProcedure = void (*)(WindowHandle window, const WindowMessage& message);

// The class names one procedure for every window made with it. The toolkit
// registers once per module and unregisters with its last window; the x11
// backend opens its display connection at registration and closes it at
// unregistration.
[[nodiscard]] bool registerWindowClass(const char* className, WindowProcedure procedure);
void unregisterWindowClass(const char* className);

// A visible child window at (0, 0) of `parent`, width x height pixels; null
// when the parent is not a window or the system refuses.
[[nodiscard]] WindowHandle createChildWindow(const char* className, const char* title,
                                             NativeWindow parent, int width, int height);
// Shows the window at `scalePercent` (100 to 400) of its size: the native
// window grows or shrinks, everything drawn into it afterwards is scaled
// (lines, fills and text drawn at the scaled size, images copied pixel for
// pixel when they carry the same scale), and positions coming back (button
// messages, screenToClient) are divided. The caller repaints. False, and
// nothing changes, for an unknown window or scale.
[[nodiscard]] bool setWindowScale(WindowHandle window, int scalePercent);
// 100 for an unknown window.
int windowScale(WindowHandle window);
// Safe on a window that the system has already destroyed with its parent.
void destroyWindow(WindowHandle window);
// The system's own window of a child window (what a host embedding the panel
// asks for); null for an unknown or destroyed window, and on the headless
// backend, which has no system.
NativeWindow nativeWindowOf(WindowHandle window);
void setWindowUserData(WindowHandle window, void* data);
void* windowUserData(WindowHandle window);
// Asks for a paint message for the whole window.
void invalidateWindow(WindowHandle window);
// Delivers the messages that are waiting for this window (paint, button
// down). Backends whose host runs the message loop do nothing here.
void dispatchPendingMessages(WindowHandle window);
// The window's device context, released when the surface is destroyed;
// null when there is none.
std::unique_ptr<Surface> acquireWindowSurface(WindowHandle window);
Point screenToClient(WindowHandle window, Point screen);

// The desktop's resolution in dots per inch for a panel inside `parent`
// (96 is unscaled): the X server's Xft.dpi resource, or the DPI Windows
// gives the parent window where the system can tell it. 0 when the desktop
// says nothing.
int desktopDpi(NativeWindow parent);

// Input and time, read live at the moment of the call.
Point pointerPosition();    // screen coordinates
unsigned mouseState();      // MouseStateBits
std::uint32_t tickCount();  // milliseconds, wrapping
// Gives the processor away for about `milliseconds` between two samples of
// the pointer during a drag, so that holding a button down does not keep a
// core busy. The headless backend only counts the call: its input is
// scripted and its clock belongs to the test.
void pauseTracking(std::uint32_t milliseconds);

// Popup menus and in-place text entry. Both hold texts of at most
// kTextCapacity - 1 bytes (UTF-8); longer texts are cut at a character
// boundary, never written past a buffer.
inline constexpr int kTextCapacity = 256;

// One row of a popup menu.
struct MenuEntry {
    const char* text = "";   // null shows as empty
    bool separator = false;  // drawn as a line; can never be chosen
    bool checked = false;    // a check mark before the text
};

// Shows `count` entries in a popup whose top-left corner is at `where`, in
// the client coordinates of `window`, and runs its modal loop on the calling
// thread until it closes. Returns the index of the entry chosen (never a
// separator), or -1 when nothing was chosen: a press outside the popup,
// Escape, no entries, or a window the system does not know.
//
// | user does                          | result                           |
// |------------------------------------|----------------------------------|
// | moves over an entry                | the entry is highlighted         |
// | presses and releases on an entry   | its index                        |
// | presses on the window, drags onto  | its index (released there)       |
// | an entry and releases              |                                  |
// | releases on a separator            | nothing, the popup stays open    |
// | presses outside the popup          | -1                               |
// | Escape                             | -1                               |
//
// The press that closes the popup is consumed: it never reaches `window`
// or any other window of the panel. Messages for `window` that arrive while
// the popup is open (paint, button-down) wait until the loop has returned.
int popupMenu(WindowHandle window, Point where, const MenuEntry* entries, int count);

// In-place text entry: a single-line editor child window over `box` of the
// owner's window, with the owner's font, centred text and horizontal
// scrolling. It opens with its whole text selected, so typing replaces it
// and Backspace or Delete clear it; Left, Right, Home, End or a click drop
// the selection and place the caret (Left and Right at the selection's
// start and end). It edits by itself (typing, Backspace, Delete, Left,
// Right, Home, End) and takes the keyboard focus for as long as it is open, giving
// it back to where it was when it closes. Its key and focus messages arrive
// the way the window's other messages do: through the host's message loop
// (Windows) or dispatchPendingMessages (x11), never on another thread.
using TextEntryHandle = void*;

// Called when the user ends the editing: Return (or keypad Enter), or the
// entry window lost the keyboard focus. There is no cancel; Escape is typed
// like any other key and ignored. The call comes from inside the backend's
// message delivery on the user-interface thread, at most once per entry;
// the callee reads the text and normally closes the entry from inside the
// call, which is safe: the backend touches the entry no more after it.
using TextEntryDone = void (*)(void* owner);

struct TextEntryRequest {
    Box box;                     // client coordinates of the owner's window
    const char* text = nullptr;  // initial text; null is empty; cut to 255 bytes
    FontRequest font;
    void* owner = nullptr;  // handed back to `done`
    TextEntryDone done = nullptr;
    // Escape ends the editing too (a cancel, see textEntryConfirmed)
    // instead of being ignored.
    bool escapeEnds = false;
};

// Opens the entry over `window`; null when the window is unknown or the
// system refuses. A click elsewhere on `window` does not end the editing by
// itself: the window's button-down still arrives, and the toolkit ends the
// editing there (its focus view loses the focus).
[[nodiscard]] TextEntryHandle openTextEntry(WindowHandle window, const TextEntryRequest& request);
// Copies the entry's current text into `out` (capacity bytes including the
// terminator, cut at a character boundary) and returns the bytes copied.
// An unknown or null entry copies the empty text. Nothing is written when
// `out` is null or capacity is not positive.
int textEntryText(TextEntryHandle entry, char* out, int capacity);
// True once the editing of an open entry ended by Return (or keypad
// Enter); false while it runs, after Escape, after the focus went, and for
// an unknown entry. Read it inside `done`.
bool textEntryConfirmed(TextEntryHandle entry);
// Destroys the entry window and gives the keyboard focus back; `done` is
// not called. Null, or an entry already closed, does nothing. Safe from
// inside `done`, and after the system destroyed the entry with its parent.
void closeTextEntry(TextEntryHandle entry);

// Copies `text` (null is empty) into `out` of `capacity` bytes, cut at a
// UTF-8 character boundary so that it fits with its terminator; returns the
// bytes copied. Nothing is written when `out` is null or capacity < 1.
int copyTextCut(const char* text, char* out, int capacity);

}  // namespace platform
