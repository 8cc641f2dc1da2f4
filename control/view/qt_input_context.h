// The input context over the toolkit's input method. What the toolkit
// offers is used directly: committing or resetting the composition, the
// cursor rectangle and font it reads from the widget, showing the input
// panel, and enabling input-method handling for the widget (open status).
// Conversion and sentence modes have no toolkit counterpart; they are kept
// here so that a host reading them back gets what it set.
//
// A composition string set by the control (the reading of a reconversion)
// cannot be pushed into the platform's input method, so it is shown as the
// widget's own composition; Enter takes it, Esc drops it, and the platform
// input method still sees the selection through the widget's queries.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "control/view/input_context.h"

namespace tarn::view {

class TQtInputContext : public QObject, public TInputContext {
public:
    explicit TQtInputContext(QWidget* widget);

    bool GetConversionStatus(unsigned& conversion, unsigned& sentence) override;
    bool SetConversionStatus(unsigned conversion, unsigned sentence) override;
    bool GetOpenStatus() override;
    bool SetOpenStatus(bool open) override;
    bool SetCompositionString(unsigned index, std::string_view composition) override;
    bool NotifyIME(unsigned action, unsigned index, unsigned value) override;
    bool SetCompositionFont(const QFont& font) override;
    bool SetCompositionWindow(const TCompositionWindow& form) override;
    void UpdateDefaultWindow() override;

    const QFont& CompositionFont() const noexcept { return font_; }
    TCompositionWindow CompositionWindow() const noexcept { return form_; }
    bool HasOwnComposition() const noexcept { return !own_.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SendOwn(const QString& preedit, const QString& commit);

    QPointer<QWidget> widget_;
    unsigned conversion_ = 0x0009;  // native + full shape, as a Japanese IME starts
    unsigned sentence_ = 0x0008;    // phrase prediction
    bool open_ = true;
    QFont font_;
    TCompositionWindow form_;
    QString own_;  // the control's own composition, while one is shown
};

}  // namespace tarn::view
