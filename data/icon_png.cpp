// Writes the program's 32 x 32 icon, the window's own XPM picture, as a PNG file for the
// desktop's icon theme.

#include "window/velmoka_icon.xpm"

#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QImage icon(velmoka_icon_xpm);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
