/* Exit 0 when the X server's current mouse pointer is invisible (every pixel transparent). */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) return 2;
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == NULL) return 2;
    int visible = 0;
    for (int i = 0; i < image->width * image->height; ++i)
        if ((image->pixels[i] >> 24) & 0xFF) ++visible;
    printf("pointer: %dx%d, %d visible pixels\n", image->width, image->height, visible);
    XFree(image);
    XCloseDisplay(display);
    return visible == 0 ? 0 : 1;
}
