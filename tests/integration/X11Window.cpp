#include "X11Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/Xatom.h>
#include <cstring>

static long WindowPid(Display* display, Window window)
{
	Atom type;
	int format;
	unsigned long count, after;
	unsigned char* data = nullptr;
	long pid = 0;
	if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
			XA_CARDINAL, &type, &format, &count, &after, &data) == Success && data)
	{
		if (type == XA_CARDINAL && format == 32 && count == 1)
			pid = *reinterpret_cast<long*>(data);
		XFree(data);
	}
	return pid;
}

static Window FindWindowNamed(Display* display, Window window, const char* name, int pid)
{
	char* windowName = nullptr;
	if (XFetchName(display, window, &windowName) && windowName)
	{
		bool match = strcmp(windowName, name) == 0;
		XFree(windowName);
		if (match && (pid == 0 || WindowPid(display, window) == pid))
			return window;
	}
	Window root, parent, *children = nullptr;
	unsigned count = 0;
	Window found = 0;
	if (XQueryTree(display, window, &root, &parent, &children, &count))
	{
		for (unsigned i = 0; i < count && !found; i++)
			found = FindWindowNamed(display, children[i], name, pid);
		if (children)
			XFree(children);
	}
	return found;
}

bool SendCloseToWindowNamed(const char* title, int pid)
{
	Display* display = XOpenDisplay(nullptr);
	if (!display)
		return false;
	Window window = FindWindowNamed(display, DefaultRootWindow(display), title, pid);
	if (window)
	{
		XEvent event{};
		event.xclient.type = ClientMessage;
		event.xclient.window = window;
		event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
		event.xclient.format = 32;
		event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
		event.xclient.data.l[1] = CurrentTime;
		XSendEvent(display, window, False, NoEventMask, &event);
		XFlush(display);
	}
	XCloseDisplay(display);
	return window != 0;
}
