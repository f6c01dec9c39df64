// Draws the application's bitmaps (knobs, fader handle, panel icons, Dante link and network
// speed icons, app icon) at 1x and 2x, writes them with a resource file for the dspimages
// library, and writes the application icon at the given sizes: a multi-size .ico for the
// window, app-<size>.png for the desktop's icon theme and app.png at the largest size.
//
// usage: dsp-imagegen <resource dir> <icon dir> <size>...
#include "conference.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using DrawFn = std::function<void(QPainter &, double)>; // painter in logical units, logical size

QImage render(int width, int height, double scale, const DrawFn &draw)
{
    QImage image(int(std::lround(width * scale)), int(std::lround(height * scale)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p, width);
    p.end();
    return image;
}

struct Writer
{
    QString dir;
    QStringList files;
    bool ok = true;

    void add(const QString &name, int width, int height, const DrawFn &draw)
    {
        for (int scale : {1, 2}) {
            const QString file = scale == 1 ? name + QStringLiteral(".png") : name + QStringLiteral("@2x.png");
            const QImage image = render(width, height, scale, draw);
            if (!image.save(dir + QLatin1Char('/') + file, "PNG")) {
                ok = false;
                qWarning("cannot write %s", qPrintable(file));
            }
            files << file;
        }
    }
    void add(const QString &name, int size, const DrawFn &draw) { add(name, size, size, draw); }
};

// ---- knobs ---------------------------------------------------------------------------------

constexpr double kSweep = 120.0; // degrees either side of straight up

QPointF polar(double cx, double cy, double radius, double degreesFromUp)
{
    const double a = (degreesFromUp - 90.0) * M_PI / 180.0;
    return QPointF(cx + radius * std::cos(a), cy + radius * std::sin(a));
}

void drawKnobBase(QPainter &p, double s)
{
    const double c = s / 2.0;
    const double body = s * 0.345;

    // scale: an arc over the travel and a dot every tenth of it
    const QColor scaleColour(138, 143, 148);
    const double scaleRadius = s * 0.445;
    if (s >= 50) {
        p.setPen(QPen(scaleColour, s >= 90 ? 1.5 : 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF arc(c - scaleRadius, c - scaleRadius, 2 * scaleRadius, 2 * scaleRadius);
        p.drawArc(arc, int((90 + kSweep) * 16), int(-2 * kSweep * 16));
    }
    const double dot = qMax(0.8, s * 0.022);
    p.setPen(Qt::NoPen);
    for (int k = 0; k <= 10; ++k) {
        const double angle = -kSweep + k * (2 * kSweep / 10);
        const bool major = k == 0 || k == 5 || k == 10;
        p.setBrush(major ? QColor(233, 146, 54) : scaleColour);
        const double r = s >= 50 ? scaleRadius : s * 0.45;
        p.drawEllipse(polar(c, c, r, angle), major ? dot * 1.35 : dot, major ? dot * 1.35 : dot);
    }

    // soft shadow under the body
    QRadialGradient shadow(QPointF(c, c + s * 0.02), body * 1.18);
    shadow.setColorAt(0.80, QColor(0, 0, 0, 90));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(QPointF(c, c + s * 0.02), body * 1.18, body * 1.18);

    // rim: lit from above
    QLinearGradient rim(0, c - body, 0, c + body);
    rim.setColorAt(0.0, QColor(132, 138, 144));
    rim.setColorAt(0.5, QColor(72, 77, 82));
    rim.setColorAt(1.0, QColor(28, 31, 34));
    p.setBrush(rim);
    p.setPen(QPen(QColor(20, 22, 24), qMax(0.6, s * 0.012)));
    p.drawEllipse(QPointF(c, c), body, body);

    // face: slightly concave, darker at the top
    const double face = body * 0.84;
    QLinearGradient faceGradient(0, c - face, 0, c + face);
    faceGradient.setColorAt(0.0, QColor(44, 48, 52));
    faceGradient.setColorAt(1.0, QColor(78, 84, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(faceGradient);
    p.drawEllipse(QPointF(c, c), face, face);

    // a faint specular sheen on the upper left
    QRadialGradient sheen(QPointF(c - face * 0.35, c - face * 0.45), face * 0.9);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 38));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(QPointF(c, c), face, face);
}

void drawKnobIndicator(QPainter &p, double s)
{
    const double c = s / 2.0;
    const double body = s * 0.345;
    const double width = qMax(2.0, s * 0.055);
    const QPointF from(c, c - body * 0.30);
    const QPointF to(c, c - body * 0.80);
    p.setPen(QPen(QColor(0, 0, 0, 110), width + 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(QColor(240, 160, 70), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

// ---- fader handle --------------------------------------------------------------------------

void drawFaderHandle(QPainter &p, double)
{
    const QRectF body(0.5, 0.5, 19, 42);
    QLinearGradient g(0, 0, 0, 43);
    g.setColorAt(0.0, QColor(112, 118, 124));
    g.setColorAt(0.12, QColor(78, 83, 88));
    g.setColorAt(0.5, QColor(58, 62, 66));
    g.setColorAt(0.88, QColor(40, 43, 46));
    g.setColorAt(1.0, QColor(30, 32, 35));
    p.setPen(QPen(QColor(18, 20, 22), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 2.5, 2.5);

    // grip ridges above and below the centre line
    for (double y : {6.5, 10.5, 14.5, 28.5, 32.5, 36.5}) {
        p.setPen(QPen(QColor(20, 22, 24, 200), 1.0));
        p.drawLine(QPointF(3.5, y), QPointF(16.5, y));
        p.setPen(QPen(QColor(255, 255, 255, 45), 1.0));
        p.drawLine(QPointF(3.5, y + 1.0), QPointF(16.5, y + 1.0));
    }
    // the centre line marks the value
    p.setPen(QPen(QColor(245, 245, 245), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(1.5, 21.5), QPointF(18.5, 21.5));
}

// ---- panel icons (16 x 16) -----------------------------------------------------------------

struct Scheme
{
    const char *name;
    QColor enabled;
    QColor disabled;
};

const Scheme kSchemes[] = {
    {"Light", QColor(74, 78, 82), QColor(184, 186, 188)},
    {"Dark", QColor(214, 216, 218), QColor(92, 96, 100)},
};

void drawAdd(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
    p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
}

void drawEdit(QPainter &p, const QColor &c)
{
    p.save();
    p.translate(8, 8);
    p.rotate(45);
    // pencil along the y axis, tip down-left after rotation
    QPainterPath body;
    body.addRoundedRect(QRectF(-2.0, -6.5, 4.0, 9.0), 0.6, 0.6);
    QPainterPath tip;
    tip.moveTo(-2.0, 3.3);
    tip.lineTo(2.0, 3.3);
    tip.lineTo(0.0, 7.2);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(body);
    p.drawPath(tip);
    // eraser band
    p.drawRoundedRect(QRectF(-2.0, -9.0, 4.0, 1.8), 0.6, 0.6);
    p.restore();
    p.setPen(QPen(c, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 14.3), QPointF(14.0, 14.3));
}

void drawTrash(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(2.5, 4.0), QPointF(13.5, 4.0));
    QPainterPath handle;
    handle.moveTo(6.0, 4.0);
    handle.lineTo(6.0, 2.0);
    handle.lineTo(10.0, 2.0);
    handle.lineTo(10.0, 4.0);
    p.drawPath(handle);
    QPainterPath can;
    can.moveTo(3.8, 4.0);
    can.lineTo(4.6, 13.0);
    can.quadTo(4.7, 14.2, 5.9, 14.2);
    can.lineTo(10.1, 14.2);
    can.quadTo(11.3, 14.2, 11.4, 13.0);
    can.lineTo(12.2, 4.0);
    p.drawPath(can);
    p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.6, 6.6), QPointF(6.8, 11.8));
    p.drawLine(QPointF(9.4, 6.6), QPointF(9.2, 11.8));
}

void drawListAlt(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double y : {4.5, 7.5, 10.5}) {
        p.drawRoundedRect(QRectF(3.8, y - 0.1, 2.0, 2.0), 0.4, 0.4);
        p.drawRoundedRect(QRectF(7.0, y + 0.2, 5.4, 1.4), 0.5, 0.5);
    }
}

void drawSignOut(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath door;
    door.moveTo(7.0, 2.5);
    door.lineTo(3.5, 2.5);
    door.quadTo(2.5, 2.5, 2.5, 3.5);
    door.lineTo(2.5, 12.5);
    door.quadTo(2.5, 13.5, 3.5, 13.5);
    door.lineTo(7.0, 13.5);
    p.drawPath(door);
    p.drawLine(QPointF(6.5, 8.0), QPointF(13.5, 8.0));
    QPainterPath head;
    head.moveTo(10.5, 5.0);
    head.lineTo(13.5, 8.0);
    head.lineTo(10.5, 11.0);
    p.drawPath(head);
}

// ---- Dante link icons (16 x 16) -----------------------------------------------------------

void drawChainLink(QPainter &p, const QPointF &centre, double angle, double length, const QColor &c)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-length / 2, -1.7, length, 3.4), 1.7, 1.7);
    p.restore();
}

void drawDante(QPainter &p, bool connected)
{
    QLinearGradient g(0, 1, 0, 15);
    if (connected) {
        g.setColorAt(0, QColor(72, 196, 104));
        g.setColorAt(1, QColor(36, 150, 70));
    } else {
        g.setColorAt(0, QColor(150, 155, 160));
        g.setColorAt(1, QColor(108, 113, 118));
    }
    p.setPen(QPen(connected ? QColor(24, 110, 50) : QColor(80, 84, 88), 1.0));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 7.0, 7.0);
    const QColor white(255, 255, 255);
    if (connected) {
        drawChainLink(p, QPointF(6.4, 9.6), -45, 6.8, white);
        drawChainLink(p, QPointF(9.6, 6.4), -45, 6.8, white);
    } else {
        // the two halves pulled apart, with a spark on either side of the gap
        drawChainLink(p, QPointF(5.3, 10.7), -45, 5.2, white);
        drawChainLink(p, QPointF(10.7, 5.3), -45, 5.2, white);
        p.setPen(QPen(white, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.6, 5.6), QPointF(6.8, 6.8));
        p.drawLine(QPointF(10.4, 10.4), QPointF(9.2, 9.2));
    }
}

// ---- Dante link speed (20 x 20): a network socket with its lamps ----------------------------

enum class Link { NotConnected, Fast, Gigabit };

// Mid-grey metal with a dark opening, so the socket reads on light and dark windows alike.
// The lamps tell the speed at a glance (green gigabit, amber 100M, dark when unplugged);
// the contacts that carry the link (all eight, or the four of 100BASE-TX) are lit as well,
// for those who cannot tell the lamps' colours apart.
void drawNetworkPort(QPainter &p, Link link)
{
    QLinearGradient metal(0, 2, 0, 18);
    metal.setColorAt(0, QColor(150, 155, 160));
    metal.setColorAt(1, QColor(104, 109, 114));
    p.setPen(QPen(QColor(58, 62, 66), 1.0));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 2.5, 2.5);

    QPolygonF opening({QPointF(4.5, 7.0), QPointF(15.5, 7.0), QPointF(15.5, 13.5), QPointF(12.8, 13.5),
                       QPointF(12.8, 16.0), QPointF(7.2, 16.0), QPointF(7.2, 13.5), QPointF(4.5, 13.5)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 26, 28));
    p.drawPolygon(opening);

    const QColor gold(232, 190, 70), dim(84, 86, 88);
    for (int pin = 0; pin < 8; ++pin) {
        const bool used = link == Link::Gigabit || (link == Link::Fast && (pin < 3 || pin == 5));
        p.setBrush(used ? gold : dim);
        p.drawRect(QRectF(5.4 + pin * 1.2, 7.6, 0.7, 2.6));
    }

    const QColor lamp = link == Link::Gigabit ? QColor(64, 208, 96)
                        : link == Link::Fast  ? QColor(250, 172, 40)
                                              : QColor(52, 55, 58);
    p.setPen(QPen(QColor(40, 42, 44), 0.6));
    p.setBrush(lamp);
    p.drawRoundedRect(QRectF(3.2, 3.2, 4.2, 2.2), 0.6, 0.6);
    p.drawRoundedRect(QRectF(12.6, 3.2, 4.2, 2.2), 0.6, 0.6);

    if (link == Link::NotConnected) {
        p.setPen(QPen(QColor(255, 255, 255), 1.0));
        p.setBrush(QColor(214, 48, 48));
        p.drawEllipse(QPointF(15.0, 15.0), 4.2, 4.2);
        p.setPen(QPen(QColor(255, 255, 255), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13.4, 13.4), QPointF(16.6, 16.6));
        p.drawLine(QPointF(16.6, 13.4), QPointF(13.4, 16.6));
    }
}

// ---- application icon ----------------------------------------------------------------------

// ---- USB player and recorder ---------------------------------------------------------------

void drawPlay(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
}

void drawPause(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(3.5, 2.5, 3.5, 11));
    p.drawRect(QRectF(9, 2.5, 3.5, 11));
}

void drawStop(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(3, 3, 10, 10));
}

// A bar and a triangle pointing away from it (forward) or towards it (backward).
void drawStep(QPainter &p, const QColor &c, bool forward)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (forward) {
        p.drawPolygon(QPolygonF({QPointF(3, 2.5), QPointF(11, 8), QPointF(3, 13.5)}));
        p.drawRect(QRectF(11, 2.5, 2.5, 11));
    } else {
        p.drawPolygon(QPolygonF({QPointF(13, 2.5), QPointF(5, 8), QPointF(13, 13.5)}));
        p.drawRect(QRectF(2.5, 2.5, 2.5, 11));
    }
}

void drawRecordCircle(QPainter &p, double)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 48, 49));
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
}

void drawRecordStop(QPainter &p, double)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 48, 49));
    p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
}

void drawAppIcon(QPainter &p, double s)
{
    const double u = s / 256.0;
    p.scale(u, u);
    QLinearGradient bg(0, 0, 0, 256);
    bg.setColorAt(0, QColor(58, 66, 74));
    bg.setColorAt(1, QColor(26, 30, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setPen(QPen(QColor(255, 255, 255, 30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(9.5, 9.5, 237, 237), 43, 43);

    // three fader strips
    const double xs[] = {62, 128, 194};
    const double handles[] = {150, 92, 124};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(14, 16, 18), 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(xs[i], 48), QPointF(xs[i], 208));
        QLinearGradient level(0, 208, 0, 48);
        level.setColorAt(0.0, QColor(0, 233, 37));
        level.setColorAt(0.7, QColor(133, 233, 37));
        level.setColorAt(1.0, QColor(231, 38, 53));
        p.setPen(QPen(QBrush(level), 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(xs[i], 208), QPointF(xs[i], handles[i] + 14));
        QLinearGradient cap(0, handles[i] - 16, 0, handles[i] + 16);
        cap.setColorAt(0, QColor(250, 186, 104));
        cap.setColorAt(1, QColor(214, 122, 36));
        p.setPen(QPen(QColor(120, 62, 10), 2));
        p.setBrush(cap);
        p.drawRoundedRect(QRectF(xs[i] - 24, handles[i] - 14, 48, 28), 6, 6);
        p.setPen(QPen(QColor(255, 255, 255, 230), 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(xs[i] - 18, handles[i]), QPointF(xs[i] + 18, handles[i]));
    }
}

// ---- .ico writer (PNG-compressed entries, as Windows Vista and later read them) --------------

bool writeIco(const QString &path, const QList<QImage> &images)
{
    QByteArray header;
    QByteArray directory;
    QByteArray data;
    auto put16 = [](QByteArray &b, quint16 v) { b.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&](QByteArray &b, quint32 v) { put16(b, quint16(v & 0xffff)); put16(b, quint16(v >> 16)); };
    put16(header, 0);
    put16(header, 1);
    put16(header, quint16(images.size()));
    const quint32 dataStart = quint32(6 + 16 * images.size());
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        directory.append(char(image.width() >= 256 ? 0 : image.width()));
        directory.append(char(image.height() >= 256 ? 0 : image.height()));
        directory.append(char(0)); // palette
        directory.append(char(0)); // reserved
        put16(directory, 1);       // planes
        put16(directory, 32);      // bits per pixel
        put32(directory, quint32(png.size()));
        put32(directory, dataStart + quint32(data.size()));
        data.append(png);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(header + directory + data) == header.size() + directory.size() + data.size();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QList<int> iconSizes;
    for (int i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 1 || size > 256) {
            qWarning("icon size %s: not a number from 1 to 256", qPrintable(args.at(i)));
            return 2;
        }
        iconSizes << size;
    }
    if (iconSizes.isEmpty()) {
        qWarning("usage: dsp-imagegen <resource dir> <icon dir> <size>...");
        return 2;
    }
    std::sort(iconSizes.begin(), iconSizes.end());
    const QString resourceDir = args.at(1);
    const QString iconDir = args.at(2);
    QDir().mkpath(resourceDir);
    QDir().mkpath(iconDir);

    Writer w{resourceDir, {}, true};

    const struct
    {
        const char *suffix;
        int size;
    } knobs[] = {{"Smallest", 40}, {"Small", 54}, {"", 74}, {"Large", 104}};
    for (const auto &k : knobs) {
        w.add(QStringLiteral("KnobBase") + QLatin1String(k.suffix), k.size, drawKnobBase);
        w.add(QStringLiteral("KnobIndicator") + QLatin1String(k.suffix), k.size, drawKnobIndicator);
    }
    w.add(QStringLiteral("fader_handle_small"), 20, 43, drawFaderHandle);

    using IconFn = void (*)(QPainter &, const QColor &);
    const struct
    {
        const char *name;
        IconFn draw;
        bool states;   // has Enabled/Disabled variants
        bool disabled; // has a Disabled variant
    } icons[] = {
        {"Add", drawAdd, false, false},
        {"Edit", drawEdit, true, true},
        {"Trash", drawTrash, true, true},
        {"ListAlt", drawListAlt, true, false},
        {"SignOut", drawSignOut, true, true},
    };
    for (const auto &icon : icons) {
        for (const Scheme &scheme : kSchemes) {
            const QString base = QLatin1String(icon.name) + QLatin1String(scheme.name);
            const IconFn draw = icon.draw;
            const QColor on = scheme.enabled;
            const QColor off = scheme.disabled;
            if (!icon.states) {
                w.add(base, 16, [draw, on](QPainter &p, double) { draw(p, on); });
                continue;
            }
            w.add(base + QStringLiteral("Enabled"), 16, [draw, on](QPainter &p, double) { draw(p, on); });
            if (icon.disabled)
                w.add(base + QStringLiteral("Disabled"), 16, [draw, off](QPainter &p, double) { draw(p, off); });
        }
    }
    w.add(QStringLiteral("dante_connected"), 16, [](QPainter &p, double) { drawDante(p, true); });
    w.add(QStringLiteral("dante_disconnected"), 16, [](QPainter &p, double) { drawDante(p, false); });
    w.add(QStringLiteral("Network1000M"), 20, [](QPainter &p, double) { drawNetworkPort(p, Link::Gigabit); });
    w.add(QStringLiteral("Network100M"), 20, [](QPainter &p, double) { drawNetworkPort(p, Link::Fast); });
    w.add(QStringLiteral("NetworkNC"), 20, [](QPainter &p, double) { drawNetworkPort(p, Link::NotConnected); });
    for (const Scheme &scheme : kSchemes) {
        const QColor c = scheme.enabled;
        const QString suffix = QLatin1String(scheme.name);
        w.add(QStringLiteral("Play") + suffix, 16, [c](QPainter &p, double) { drawPlay(p, c); });
        w.add(QStringLiteral("Pause") + suffix, 16, [c](QPainter &p, double) { drawPause(p, c); });
        w.add(QStringLiteral("Stop") + suffix, 16, [c](QPainter &p, double) { drawStop(p, c); });
        w.add(QStringLiteral("StepForward") + suffix, 16, [c](QPainter &p, double) { drawStep(p, c, true); });
        w.add(QStringLiteral("StepBackward") + suffix, 16, [c](QPainter &p, double) { drawStep(p, c, false); });
    }
    w.add(QStringLiteral("Circle"), 16, drawRecordCircle);
    w.add(QStringLiteral("StopRecord"), 16, drawRecordStop);
    w.add(QStringLiteral("app"), 256, drawAppIcon);
    // conference pages: the echo cancellation diagram per scheme, the instructions icon
    w.add(QStringLiteral("AEC-Frame"), conference::DiagramWidth, conference::DiagramHeight,
          [](QPainter &p, double) { conference::drawAecDiagram(p, true); });
    w.add(QStringLiteral("AEC-Frame_light"), conference::DiagramWidth, conference::DiagramHeight,
          [](QPainter &p, double) { conference::drawAecDiagram(p, false); });
    for (const Scheme &scheme : kSchemes) {
        const QColor c = scheme.enabled;
        w.add(QStringLiteral("Info") + QLatin1String(scheme.name), 16,
              [c](QPainter &p, double) { conference::drawInfo(p, c); });
    }

    // resource file, next to the images
    QFile qrc(resourceDir + QStringLiteral("/dspimages.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qWarning("cannot write the resource file");
        return 1;
    }
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/image\">\n";
    for (const QString &file : qAsConst(w.files))
        out << "  <file>" << file << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    qrc.close();

    // application icon: each size drawn on its own pixel grid, not scaled down
    QList<QImage> sizes;
    for (int s : qAsConst(iconSizes)) {
        sizes << render(s, s, 1.0, drawAppIcon);
        if (!sizes.last().save(iconDir + QStringLiteral("/app-%1.png").arg(s), "PNG"))
            w.ok = false;
    }
    if (!writeIco(iconDir + QStringLiteral("/app.ico"), sizes))
        w.ok = false;
    if (!sizes.last().save(iconDir + QStringLiteral("/app.png"), "PNG"))
        w.ok = false;
    return w.ok ? 0 : 1;
}
