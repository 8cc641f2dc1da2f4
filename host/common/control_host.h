// The host's one way to a TarnEditX control: it creates the control by
// ProgID through the registry, places its window in a form, connects one
// event sink and turns the control's events into Qt signals. Every call of
// the host into a control goes through here, so the conversions between
// the host's strings and Booleans and the control's live in one place.
//
// The control owns its window: the form that holds it must let this
// object go before the form's own children are destroyed (keep it as a
// member of the form, which its destructor releases first).
//
// The host is built with QT_NO_KEYWORDS (Q_SIGNALS, Q_EMIT): the component
// runtime's headers use "slots" as a name.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/com/comptr.h"
#include "platform/com/connection_point.h"
#include "platform/com/late_bound.h"
#include "tarnedit/tarn_edit_x.h"


namespace quenby {

namespace com = platform::com;

// A colour as the control takes it: 0x00BBGGRR.
constexpr std::uint32_t RGB(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

class ControlHost final : public QObject {
    Q_OBJECT

public:
    // A new control with the property set the form stored for it (a "TPF0"
    // stream), or with the control's reference set when storedProperties is
    // empty; its window becomes a child of parent. Null, with the reason in
    // *error, when no control is registered or it cannot be created.
    static std::unique_ptr<ControlHost> Create(QWidget* parent, const std::string& storedProperties, QString* error);
    ~ControlHost() override;
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    QWidget* Window() const { return window_; }
    com::IDispatch* Dispatch() const { return dispatch_.Get(); }

    // ---- Late-bound calls: host values in, host values out ------------
    // A failed call leaves the defaults (0, false, "") and its message in
    // LastError(); hosts ignore it where the design ignores the result.
    template <class T>
    T Get(com::DISPID id);
    template <class T>
    bool Put(com::DISPID id, const T& value);
    template <class... A>
    bool Call(com::DISPID id, A&&... args);
    template <class R, class... A>
    R Function(com::DISPID id, A&&... args);
    QString LastError() const { return lastError_; }

    // ---- The members the host uses most -----------------------------------
    QString Text() { return Get<QString>(com::DISPID_TEXT); }
    bool SetText(const QString& text) { return Put(com::DISPID_TEXT, text); }
    bool Clear() { return Call(tarnedit::dispid::Clear); }
    bool ClearUndoRecord() { return Call(tarnedit::dispid::ClearUndoRecord); }
    bool SaveToFile(const QString& path) { return Function<bool>(tarnedit::dispid::SaveToFile, path); }
    bool TextPaste(const QString& s) { return Call(tarnedit::dispid::TextPaste, s); }
    bool RefreshLine() { return Call(tarnedit::dispid::RefreshLine); }
    bool ReDesign() { return Call(tarnedit::dispid::ReDesign); }
    bool Modified() { return Get<bool>(tarnedit::dispid::Modified); }
    // Font name and size (points) of the control's font object.
    QString FontName();
    int FontSize();
    bool SetFontName(const QString& name);
    bool SetFontSize(int points);
    // The property set as the form would store it.
    std::string SaveProperties();

Q_SIGNALS:
    void customEdit(bool deleteF);
    void change();
    void keyPress(short& key);
    void click();
    void dblclick();
    void paint();
    void oleDropText();
    void oleDropFiles(const QString& files);
    void manualStartDrag(const QString& selection, bool& canDrag);
    void userDraw(int c1, int c2, int x1, int x2);
    void userClientDraw(int l1, int l2, int dx1, int dy1, int dx2, int dy2);
    void selectionChange();
    void moveCaret();
    void changeInsMode(bool insMode);
    void changeRedoMode(bool redoEnable);
    void changeModify(bool modified);
    void find(const QString& str, const QString& findchr, int index, int& x, int& len);
    void findHit(const QString& findchr, int x, int y, int len, int count);
    void findNoHit(const QString& findchr);
    void findChange(const QString& findchr, const QString& changechr, int x, int y, int len, int count, bool& changeF,
                    bool& kakuninF, bool& abortF);
    void findChangeEnd(const QString& findchr, const QString& changeStr, int count);
    void imeChanging();
    void imeChanged();
    void imeReConvert();
    void mouseDown(int button, int shift, int x, int y);
    void mouseMove(int shift, int x, int y);
    void mouseUp(int button, int shift, int x, int y);
    void keyDown(short& key, int shift);
    void keyUp(short& key, int shift);

private:
    class Sink;
    ControlHost() = default;
    bool Done(com::HRESULT hr);

    // Host values as the wire carries them.
    static com::BSTR Wire(const QString& s) { return s.toStdU16String(); }
    static std::int32_t Wire(int v) { return v; }
    static bool Wire(bool v) { return v; }
    static com::OLE_COLOR Wire(com::OLE_COLOR v) { return v; }
    static std::uint32_t Wire(std::uint32_t v) { return v; }
    template <class T>
    static com::RefArg<T> Wire(com::RefArg<T> r) { return r; }  // in/out arguments as they are
    template <class T>
    struct WireOf {
        using type = T;
    };

    com::ComPtr<tarnedit::ITarnEditX> control_;
    com::ComPtr<com::IDispatch> dispatch_;
    com::ComPtr<com::IDispatch> font_;
    com::ComPtr<com::IConnectionPoint> point_;
    com::ComPtr<Sink> sink_;
    com::DWORD cookie_ = 0;
    QPointer<QWidget> window_;
    QString lastError_;
};

template <>
struct ControlHost::WireOf<QString> {
    using type = com::BSTR;
};
template <>
struct ControlHost::WireOf<int> {
    using type = std::int32_t;
};

template <class T>
T ControlHost::Get(com::DISPID id) {
    typename WireOf<T>::type v{};
    if (!Done(com::GetProperty(Dispatch(), id, &v))) return T{};
    if constexpr (std::is_same_v<T, QString>) return QString::fromStdU16String(v);
    else return v;
}

template <class T>
bool ControlHost::Put(com::DISPID id, const T& value) {
    return Done(com::PutProperty(Dispatch(), id, Wire(value)));
}

template <class... A>
bool ControlHost::Call(com::DISPID id, A&&... args) {
    return Done(com::CallMethod(Dispatch(), id, Wire(args)...));
}

template <class R, class... A>
R ControlHost::Function(com::DISPID id, A&&... args) {
    typename WireOf<R>::type v{};
    if (!Done(com::CallFunction(Dispatch(), id, &v, Wire(args)...))) return R{};
    if constexpr (std::is_same_v<R, QString>) return QString::fromStdU16String(v);
    else return v;
}

}  // namespace quenby
