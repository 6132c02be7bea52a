// The one duty of a window manager that Wine waits for: WM_STATE on each
// top-level window, Normal once it is mapped and Withdrawn once it is not.
// Without it Wine waits 2 s for every window it hides (a closed dialog, a
// message box, the program's exit). Nothing else a window manager does is
// done here: no focus, no placing, no frames, so keys still go to the window
// under the pointer. Runs until the display ends; a second copy, or one on a
// display that has a window manager, ends at once.
#include <X11/Xlib.h>

static Display* display;
static Atom wmState;
static int refused;

static int NoteError(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) refused = 1;
    return 0;  // a window gone meanwhile: nothing to note
}

static void SetState(Window window, long state) {
    long data[2] = {state, None};
    XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace, (unsigned char*)data, 2);
    XFlush(display);
}

// Lets a request through as if nobody had redirected it (while probing for a window manager).
static void PassOn(XEvent* event) {
    if (event->type == MapRequest) XMapWindow(display, event->xmaprequest.window);
    if (event->type == ConfigureRequest) {
        XConfigureRequestEvent* request = &event->xconfigurerequest;
        XWindowChanges changes = {request->x, request->y, request->width, request->height,
                                  request->border_width, request->above, request->detail};
        XConfigureWindow(display, request->window, request->value_mask, &changes);
    }
}

int main(void) {
    display = XOpenDisplay(NULL);
    if (!display) return 1;
    Window root = DefaultRootWindow(display);
    Atom mine = XInternAtom(display, "PELLACOR_TESTS_WM_STATE", False);
    XGrabServer(display);
    if (XGetSelectionOwner(display, mine) != None) return 0;
    XSetSelectionOwner(display, mine, XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0), CurrentTime);
    XUngrabServer(display);
    wmState = XInternAtom(display, "WM_STATE", False);
    XSetErrorHandler(NoteError);
    // Only a window manager may redirect the root's children: refused means there is one.
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    if (refused) return 0;
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) SetState(event.xmap.window, 1);
        else if (event.type == UnmapNotify) SetState(event.xunmap.window, 0);
        else PassOn(&event);
    }
}
