// Draws the pictures of the pictures library (Images.rcc) at build time, so the library is made
// from source: every picture is a few painter calls, in a light and a dark variant where the
// window shows them on either background.
//   kinloom_draw_images OUTPUT_FOLDER   writes NAME.png for every picture and Images.qrc

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <functional>

namespace {

struct Scheme {
    QColor ink;     // main strokes
    QColor accent;  // fills
    QColor paper;   // background (transparent pictures leave it out)
};

const Scheme kLight{QColor(40, 40, 40), QColor(46, 125, 50), QColor(255, 255, 255)};
const Scheme kDark{QColor(235, 235, 235), QColor(129, 199, 132), QColor(0, 0, 0)};

using Draw = std::function<void(QPainter&, const Scheme&, int size)>;

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void Title(QPainter& p, const Scheme& s, int w, int h, int pointSize) {
    QFont f("DejaVu Sans", pointSize, QFont::Bold);
    p.setFont(f);
    p.setPen(s.ink);
    QRect r(0, 0, w, h);
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, "Kinloom");
    // A small loom of three threads under the name.
    p.setPen(QPen(s.accent, 3));
    const int y = h - 6;
    for (int i = 0; i < 3; ++i) p.drawLine(4 + i * 14, y, 4 + i * 14 + 10, y - 8);
}

void House(QPainter& p, const Scheme& s, int n) {
    p.setPen(QPen(s.ink, n / 16.0));
    p.setBrush(s.accent);
    QPolygonF roof(
        {QPointF(n * 0.1, n * 0.5), QPointF(n * 0.5, n * 0.12), QPointF(n * 0.9, n * 0.5)});
    p.drawPolygon(roof);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(n * 0.2, n * 0.5, n * 0.6, n * 0.38));
    p.setBrush(s.ink);
    p.drawRect(QRectF(n * 0.44, n * 0.64, n * 0.13, n * 0.24));
}

void Person(QPainter& p, const Scheme& s, QPointF at, double scale) {
    p.setPen(Qt::NoPen);
    p.setBrush(s.ink);
    p.drawEllipse(at + QPointF(-0.12, -0.5) * scale, 0.12 * scale, 0.12 * scale);
    QPainterPath body;
    body.moveTo(at + QPointF(-0.22, 0.05) * scale);
    body.quadTo(at + QPointF(0, -0.42) * scale, at + QPointF(0.22, 0.05) * scale);
    body.closeSubpath();
    p.drawPath(body.translated(QPointF(-0.12, 0) * scale));
}

void Family(QPainter& p, const Scheme& s, int n) {
    Person(p, s, QPointF(n * 0.35, n * 0.8), n * 0.9);
    Person(p, s, QPointF(n * 0.78, n * 0.8), n * 0.9);
    Scheme child = s;
    child.ink = s.accent;
    Person(p, child, QPointF(n * 0.57, n * 0.9), n * 0.55);
}

void Cash(QPainter& p, const Scheme& s, int n) {
    p.setPen(QPen(s.ink, n / 20.0));
    p.setBrush(s.accent);
    p.drawRoundedRect(QRectF(n * 0.08, n * 0.28, n * 0.84, n * 0.44), n * 0.05, n * 0.05);
    p.setFont(QFont("DejaVu Sans", n / 4, QFont::Bold));
    p.setPen(s.paper);
    p.drawText(QRectF(0, 0, n, n), Qt::AlignCenter, QString::fromUtf8("\xC2\xA7"));
}

void Ears(QPainter& p, const Scheme& s, int n, bool floppy) {
    p.setPen(QPen(s.ink, n / 18.0));
    p.setBrush(s.accent);
    if (floppy) {
        p.drawEllipse(QRectF(n * 0.12, n * 0.25, n * 0.2, n * 0.45));
        p.drawEllipse(QRectF(n * 0.68, n * 0.25, n * 0.2, n * 0.45));
    } else {
        p.drawPolygon(QPolygonF(
            {QPointF(n * 0.2, n * 0.42), QPointF(n * 0.25, n * 0.1), QPointF(n * 0.45, n * 0.3)}));
        p.drawPolygon(QPolygonF(
            {QPointF(n * 0.8, n * 0.42), QPointF(n * 0.75, n * 0.1), QPointF(n * 0.55, n * 0.3)}));
    }
    p.drawEllipse(QRectF(n * 0.2, n * 0.25, n * 0.6, n * 0.6));
    p.setBrush(s.ink);
    p.drawEllipse(QPointF(n * 0.4, n * 0.5), n * 0.04, n * 0.04);
    p.drawEllipse(QPointF(n * 0.6, n * 0.5), n * 0.04, n * 0.04);
    p.drawEllipse(QPointF(n * 0.5, n * 0.64), n * 0.05, n * 0.035);
}

void Bird(QPainter& p, const Scheme& s, int n) {
    p.setPen(QPen(s.ink, n / 18.0));
    p.setBrush(s.accent);
    p.drawEllipse(QRectF(n * 0.2, n * 0.35, n * 0.5, n * 0.4));
    p.drawEllipse(QRectF(n * 0.55, n * 0.22, n * 0.25, n * 0.25));
    p.setBrush(s.ink);
    p.drawPolygon(QPolygonF(
        {QPointF(n * 0.8, n * 0.32), QPointF(n * 0.93, n * 0.36), QPointF(n * 0.8, n * 0.4)}));
    p.drawPolygon(QPolygonF(
        {QPointF(n * 0.22, n * 0.5), QPointF(n * 0.05, n * 0.62), QPointF(n * 0.25, n * 0.62)}));
}

void Tree(QPainter& p, const Scheme& s, int n) {
    const QPointF top(n * 0.5, n * 0.18), left(n * 0.25, n * 0.5), right(n * 0.75, n * 0.5);
    const QPointF kids[] = {
        {n * 0.12, n * 0.82}, {n * 0.38, n * 0.82}, {n * 0.62, n * 0.82}, {n * 0.88, n * 0.82}};
    p.setPen(QPen(s.ink, n / 30.0));
    p.drawLine(top, left);
    p.drawLine(top, right);
    p.drawLine(left, kids[0]);
    p.drawLine(left, kids[1]);
    p.drawLine(right, kids[2]);
    p.drawLine(right, kids[3]);
    p.setBrush(s.accent);
    for (QPointF c : {top, left, right}) p.drawEllipse(c, n * 0.08, n * 0.08);
    for (QPointF c : kids) p.drawEllipse(c, n * 0.06, n * 0.06);
}

void Unknown(QPainter& p, int n) {
    // A grey head-and-shoulders silhouette on a soft background: the picture of a sim whose own
    // thumbnail is not there.
    p.fillRect(QRect(0, 0, n, n), QColor(214, 222, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 150, 160));
    p.drawEllipse(QPointF(n * 0.5, n * 0.38), n * 0.18, n * 0.2);
    QPainterPath shoulders;
    shoulders.moveTo(n * 0.12, n);
    shoulders.quadTo(n * 0.15, n * 0.6, n * 0.5, n * 0.6);
    shoulders.quadTo(n * 0.85, n * 0.6, n * 0.88, n);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

bool Save(const QString& folder, const QString& name, const QImage& img, QStringList& names) {
    names << name;
    return img.save(folder + "/" + name + ".png", "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) return 64;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QStringList names;
    bool ok = true;

    auto square = [&](const QString& name, int n, const std::function<void(QPainter&, int)>& draw) {
        QImage img = Canvas(n, n);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, n);
        p.end();
        ok = Save(out, name, img, names) && ok;
    };
    auto pair = [&](const QString& light, const QString& dark, int n,
                    const std::function<void(QPainter&, const Scheme&, int)>& draw) {
        square(light, n, [&](QPainter& p, int size) { draw(p, kLight, size); });
        square(dark, n, [&](QPainter& p, int size) { draw(p, kDark, size); });
    };
    auto title = [&](const QString& name, const Scheme& s, int w, int h, int pt) {
        QImage img = Canvas(w, h);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Title(p, s, w, h, pt);
        p.end();
        ok = Save(out, name, img, names) && ok;
    };

    square("IMGUnknown", 128, Unknown);
    title("IMGVARNTitle", kLight, 180, 40, 18);
    title("IMGDkVARNTitle", kDark, 180, 40, 18);
    title("IMGVARN", kLight, 360, 80, 40);
    title("IMGDkVARN", kDark, 360, 80, 40);
    square("IMGFamTree", 96, [](QPainter& p, int n) { Tree(p, kLight, n); });
    pair("IMGHouse", "IMGDkHouse", 48, House);
    pair("IMGFamily", "IMGDkFamily", 48, Family);
    pair("IMGCash", "IMGDkCash", 48, Cash);
    pair("IMGCat", "IMGDkCat", 48,
         [](QPainter& p, const Scheme& s, int n) { Ears(p, s, n, false); });
    pair("IMGDog", "IMGDkDog", 48,
         [](QPainter& p, const Scheme& s, int n) { Ears(p, s, n, true); });
    pair("IMGBird", "IMGDkBird", 48, Bird);

    QFile qrc(out + "/Images.qrc");
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream t(&qrc);
    t << "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const QString& n : names) t << "    <file alias=\"" << n << "\">" << n << ".png</file>\n";
    t << "  </qresource>\n</RCC>\n";
    return ok ? 0 : 1;
}
