// Renders the pictures that the desktop program draws in code into the image files that the
// Windows program's resources load, so that both programs show the same pictures and none is
// drawn twice. Qt is not cross-built for Windows, hence files made once here and checked in;
// tools/windows-artwork makes them again after a change of the drawing.
//
//   varnemo-windows-artwork OUTPUT-FOLDER
//
// Bitmaps are 32-bit with premultiplied alpha, as AlphaBlend and the image lists of the common
// controls take them; the program icon is an .ico of 32-bit images at 16, 32 and 48 pixels.
#include "app/artwork.h"
#include "app/small_icons.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QStyleFactory>

#include <cstdint>
#include <cstdio>
#include <stdexcept>

using namespace varnemo;

namespace {

void Put16(QByteArray& out, std::uint16_t value)
{
    out.append(static_cast<char>(value & 0xff)).append(static_cast<char>(value >> 8));
}

void Put32(QByteArray& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value & 0xffff));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

// BITMAPINFOHEADER and the rows bottom-up, blue-green-red-alpha; maskRows adds the all-clear
// AND mask that an icon image carries after its colours.
QByteArray Dib(const QImage& picture, bool iconImage)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.width()));
    Put32(out, static_cast<std::uint32_t>(iconImage ? image.height() * 2 : image.height()));
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // BI_RGB
    for (int field = 0; field < 5; ++field)
        Put32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            Put32(out, row[x]);  // ARGB32 in memory order on a little-endian machine: B, G, R, A
    }
    if (iconImage) {
        const int maskRowBytes = ((image.width() + 31) / 32) * 4;
        out.append(QByteArray(maskRowBytes * image.height(), '\0'));
    }
    return out;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    std::printf("%s\n", qPrintable(path));
}

void WriteBitmap(const QDir& folder, const QString& name, const QImage& image)
{
    QByteArray file;
    const QByteArray dib = Dib(image, false);
    file.append("BM");
    Put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(file, 0);
    Put32(file, 14 + 40);
    file.append(dib);
    Write(folder.filePath(name), file);
}

void WriteIcon(const QDir& folder, const QString& name, const QIcon& icon)
{
    const int sizes[] = {16, 32, 48};
    QByteArray header;
    QByteArray images;
    Put16(header, 0);
    Put16(header, 1);  // an icon, not a cursor
    Put16(header, static_cast<std::uint16_t>(std::size(sizes)));
    const int dataStart = 6 + 16 * static_cast<int>(std::size(sizes));
    for (const int size : sizes) {
        const QByteArray dib = Dib(icon.pixmap(size, size).toImage().scaled(size, size), true);
        header.append(static_cast<char>(size)).append(static_cast<char>(size)).append('\0').append('\0');
        Put16(header, 1);
        Put16(header, 32);
        Put32(header, static_cast<std::uint32_t>(dib.size()));
        Put32(header, static_cast<std::uint32_t>(dataStart + images.size()));
        images.append(dib);
    }
    Write(folder.filePath(name), header + images);
}

QImage Image(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().scaled(16, 16);
}

// The 76 icons of the folder tree side by side, in list order.
QImage SmallIconStrip()
{
    const app::SmallIcons icons;
    QImage strip(16 * icons.Count(), 16, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int position = 0; position < icons.Count(); ++position)
        painter.drawImage(16 * position, 0, Image(icons.At(position)));
    return strip;
}

void Export(const QDir& folder)
{
    WriteBitmap(folder, "splash.bmp", app::SplashPicture().toImage());
    WriteBitmap(folder, "header-logo.bmp", app::HeaderLogo().toImage());
    WriteBitmap(folder, "header-emblem.bmp", app::HeaderEmblem().toImage());
    WriteBitmap(folder, "select-file.bmp", app::SelectFilePicture().toImage());
    WriteBitmap(folder, "about.bmp", app::AboutPicture().toImage());
    WriteBitmap(folder, "reading-arrow.bmp", app::ReadingArrow().toImage());
    WriteBitmap(folder, "menu-exit.bmp", Image(app::ExitIcon()));
    WriteBitmap(folder, "menu-help.bmp", Image(app::HelpContentsIcon()));
    WriteBitmap(folder, "menu-about.bmp", Image(app::AboutIcon()));
    WriteBitmap(folder, "small-icons.bmp", SmallIconStrip());
    WriteIcon(folder, "varnemo.ico", app::ProgramIcon());
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: varnemo-windows-artwork OUTPUT-FOLDER\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    try {
        Export(QDir(QString::fromLocal8Bit(argv[1])));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "varnemo-windows-artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
