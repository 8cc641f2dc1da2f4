// Draws the program's pictures: the splash and about picture and the
// welcome picture of the first start. Run it after changing the drawing
// and commit what it writes:
//   QT_QPA_PLATFORM=offscreen build/bin/quenby-make-pictures host/shell/pictures
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// A handset in outline: body, screen with a few text rows, keypad.
void DrawHandset(QPainter& p, const QRectF& body, const QColor& accent) {
    p.setPen(QPen(QColor(40, 48, 64), 3));
    QLinearGradient shell(body.topLeft(), body.bottomRight());
    shell.setColorAt(0, QColor(236, 240, 246));
    shell.setColorAt(1, QColor(176, 186, 204));
    p.setBrush(shell);
    p.drawRoundedRect(body, body.width() * 0.18, body.width() * 0.18);
    const QRectF screen(body.left() + body.width() * 0.14, body.top() + body.height() * 0.12, body.width() * 0.72,
                        body.height() * 0.38);
    p.setBrush(QColor(214, 236, 214));
    p.setPen(QPen(QColor(40, 48, 64), 2));
    p.drawRect(screen);
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 5; ++r) {
        p.setBrush(r == 0 ? accent : QColor(70, 90, 70));
        const qreal w = screen.width() * (r == 0 ? 0.5 : 0.82 - 0.09 * (r % 3));
        p.drawRect(QRectF(screen.left() + 6, screen.top() + 8 + r * screen.height() / 6.0, w, screen.height() / 14.0));
    }
    const qreal keyTop = screen.bottom() + body.height() * 0.08;
    const qreal kw = body.width() * 0.18, kh = body.height() * 0.055;
    p.setBrush(QColor(250, 250, 252));
    p.setPen(QPen(QColor(90, 100, 120), 1.5));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(body.left() + body.width() * 0.17 + col * kw * 1.25, keyTop + row * kh * 1.6, kw, kh), 4, 4);
}

QImage Picture(int w, int h, const QString& title, const QString& line, const QColor& accent) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(24, 58, 112));
    sky.setColorAt(1, QColor(70, 130, 190));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    for (int i = 0; i < 6; ++i) p.drawEllipse(QPointF(w * 0.78, h * 0.35), 40.0 + i * 38, 40.0 + i * 38);
    DrawHandset(p, QRectF(w * 0.66, h * 0.12, w * 0.2, h * 0.78), accent);
    QFont big(QStringLiteral("DejaVu Sans"), 1, QFont::Bold);
    big.setPixelSize(h / 6);
    p.setFont(big);
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.06, h * 0.2, w * 0.6, h * 0.3), Qt::AlignLeft | Qt::AlignVCenter, title);
    QFont small(QStringLiteral("IPAGothic"));
    small.setPixelSize(h / 16);
    p.setFont(small);
    p.setPen(QColor(220, 232, 248));
    p.drawText(QRectF(w * 0.06, h * 0.52, w * 0.6, h * 0.2), Qt::AlignLeft | Qt::AlignTop, line);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QImage splash = Picture(420, 240, QStringLiteral("Quenby"), QStringLiteral("i-mode のページを書くエディタ"),
                                  QColor(220, 60, 60));
    const QImage welcome = Picture(320, 200, QStringLiteral("ようこそ"), QStringLiteral("テンプレートを選んで\n始めましょう"),
                                   QColor(240, 150, 40));
    const bool ok = splash.save(out.filePath(QStringLiteral("101.jpg")), "JPEG", 88) &&
                    welcome.save(out.filePath(QStringLiteral("102.jpg")), "JPEG", 88);
    return ok ? 0 : 1;
}
