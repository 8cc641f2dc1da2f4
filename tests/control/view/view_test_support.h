// Shared pieces of the widget tests: one application for the process, a
// view holding Japanese text, and pixel helpers over the rendered widget.
#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "tests/qt_test_app.h"

#include <memory>
#include <string>

#include "control/view/tarn_edit_view.h"
#include "platform/codepage/codepage.h"

namespace tarn::view::test {

using testing_qt::QtEnvironment;

// Source text is UTF-8; the control holds CP932.
inline std::string J(std::string_view utf8) { return platform::codepage::Utf8ToBytes(utf8); }

// Colours as painted: 0x00BBGGRR to the image's pixel value.
inline QRgb Px(Colour c) { return ToQColor(c).rgb(); }

inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;

// A view of the given size, its marks in a colour of their own.
inline std::unique_ptr<TTarnEditView> MakeView(int w = 640, int h = 400) {
    auto v = std::make_unique<TTarnEditView>();
    v->MessageBoxHandler = [](std::string_view text) { ADD_FAILURE() << "message box: " << std::string(text); };
    v->resize(w, h);
    v->Settings().SetCREOFcolor(0x008000);  // dark green marks
    v->Editor().SetWordWrap(false, false);
    v->ReDesign();
    // Let the toolkit deliver the size it holds back for a hidden widget.
    (void)v->grab();
    return v;
}

inline void SetText(TTarnEditView& v, std::string_view utf8) { v.Editor().SetText(J(utf8)); }

inline QImage Render(TTarnEditView& v) { return v.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The first x in [from, to) on row y whose pixel is c, or -1.
inline int FindPixel(const QImage& img, int y, QRgb c, int from = 0, int to = -1) {
    if (to < 0) to = img.width();
    for (int x = from; x < to; ++x)
        if ((img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) return x;
    return -1;
}
// The last x in [from, to) on row y whose pixel is c, or -1.
inline int FindLastPixel(const QImage& img, int y, QRgb c, int from = 0, int to = -1) {
    if (to < 0) to = img.width();
    for (int x = to - 1; x >= from; --x)
        if ((img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) return x;
    return -1;
}
inline int CountPixels(const QImage& img, const QRect& r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) ++n;
    return n;
}

// Pixels close to colour c (antialiased glyph edges blend into the
// background; their cores keep the colour).
inline int CountTinted(const QImage& img, const QRect& r, Colour c, int tolerance = 100) {
    const QColor want = ToQColor(c);
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = QColor::fromRgb(img.pixel(x, y));
            if (std::abs(p.red() - want.red()) < tolerance && std::abs(p.green() - want.green()) < tolerance &&
                std::abs(p.blue() - want.blue()) < tolerance)
                ++n;
        }
    return n;
}

// The last pixel row of a screen row: line spacing only, no glyph ink.
inline int SpacingY(const TTarnEditView& v, int row) {
    return v.Settings().TopMargin() + (row - v.Editor().ClOffsetY) * v.Editor().Lineheight + v.Editor().Lineheight - 1;
}

inline void SaveScreenshot(const QImage& img, const char* name) {
#ifdef QUENBY_SCREENSHOT_DIR
    QDir().mkpath(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    img.save(QStringLiteral(QUENBY_SCREENSHOT_DIR "/") + QString::fromUtf8(name) + QStringLiteral(".png"));
#else
    (void)img;
    (void)name;
#endif
}

}  // namespace tarn::view::test
