#include "host/common/control_host.h"

#include <functional>
#include <unordered_map>

#include "platform/com/activation.h"
#include "platform/com/connection_point.h"
#include "platform/com/error_info.h"
#include "platform/com/object.h"
#include <QWidget>

namespace quenby {

namespace tx = tarnedit;

namespace {

constexpr com::DISPID kFontName = 0, kFontSize = 2;

QString Message(com::HRESULT hr) {
    com::ErrorInfo info;
    if (com::GetErrorInfo(&info) == com::S_OK && !info.description.empty())
        return QString::fromStdU16String(info.description);
    return QStringLiteral("0x%1").arg(static_cast<std::uint32_t>(hr), 8, 16, QLatin1Char('0'));
}

// The arguments of one event, in declaration order (rgvarg holds them last
// first); in/out ones are written back through the caller's storage.
class Args {
public:
    explicit Args(com::DISPPARAMS* p) : p_(p) {}
    bool Has(unsigned n) const { return p_ && p_->cArgs >= n; }
    com::Variant& At(unsigned i) const { return p_->rgvarg[p_->cArgs - 1 - i]; }
    template <class T>
    T In(unsigned i) const {
        T v{};
        com::ArgCodec<T>::Decode(At(i).Deref(), &v);
        return v;
    }
    QString Str(unsigned i) const { return QString::fromStdU16String(In<com::BSTR>(i)); }
    int Long(unsigned i) const { return In<std::int32_t>(i); }
    bool Bool(unsigned i) const { return In<bool>(i); }
    // The storage of an in/out argument, or null when the caller passed it
    // by value (then the answer has nowhere to go).
    template <class T>
    typename com::ArgCodec<T>::Wire* Out(unsigned i) const {
        return At(i).Target<typename com::ArgCodec<T>::Wire>();
    }

private:
    com::DISPPARAMS* p_;
};

}  // namespace

class ControlHost::Sink final : public com::ComObject<Sink, tx::ITarnEditXEvents> {
public:
    explicit Sink(ControlHost& host) : host_(&host) {}
    void Detach() { host_ = nullptr; }

    com::HRESULT GetTypeInfoCount(unsigned* n) noexcept override {
        if (n) *n = 0;
        return com::S_OK;
    }
    com::HRESULT GetTypeInfo(unsigned, com::ITypeInfo**) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(const com::BSTR*, unsigned, com::DISPID*) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT Invoke(com::DISPID id, std::uint16_t, com::DISPPARAMS* params, com::Variant*, com::EXCEPINFO*,
                        unsigned*) noexcept override {
        if (!host_) return com::S_OK;
        const auto& table = Table();
        const auto it = table.find(id);
        if (it == table.end()) return com::DISP_E_MEMBERNOTFOUND;
        const Args a(params);
        if (!a.Has(it->second.count)) return com::DISP_E_BADPARAMCOUNT;
        try {
            it->second.raise(*host_, a);
        } catch (...) {
            // A handler's failure stays on the host's side of the call.
        }
        return com::S_OK;
    }

private:
    struct Row {
        unsigned count;
        std::function<void(ControlHost&, const Args&)> raise;
    };

    // In/out arguments: the handler answers through a local copy that is
    // written back, so a by-value argument is harmless.
    template <class T, class F>
    static void InOut(const Args& a, unsigned i, F&& use) {
        auto* out = a.Out<T>(i);
        T v = a.In<T>(i);
        use(v);
        if (out) *out = com::ArgCodec<T>::ToWire(v);
    }

    // A key event: the virtual key goes out and comes back as the host
    // left it.
    static void Key(ControlHost& h, const Args& a, void (ControlHost::*signal)(short&, int)) {
        const int shift = a.Long(1);
        InOut<std::int16_t>(a, 0, [&](std::int16_t& k) {
            short key = k;
            Q_EMIT(h.*signal)(key, shift);
            k = key;
        });
    }

    static const std::unordered_map<com::DISPID, Row>& Table() {
        using H = ControlHost;
        namespace ev = tx::event;
        static const std::unordered_map<com::DISPID, Row> table{
            {ev::OnCustomEdit, {1, [](H& h, const Args& a) { Q_EMIT h.customEdit(a.Bool(0)); }}},
            {ev::OnChange, {0, [](H& h, const Args&) { Q_EMIT h.change(); }}},
            {ev::OnKeyPress, {1, [](H& h, const Args& a) {
                 InOut<std::int16_t>(a, 0, [&](std::int16_t& k) {
                     short key = k;
                     Q_EMIT h.keyPress(key);
                     k = key;
                 });
             }}},
            {ev::OnClick, {0, [](H& h, const Args&) { Q_EMIT h.click(); }}},
            {ev::OnDblclick, {0, [](H& h, const Args&) { Q_EMIT h.dblclick(); }}},
            {ev::OnPaint, {0, [](H& h, const Args&) { Q_EMIT h.paint(); }}},
            {ev::OnOLEDropText, {0, [](H& h, const Args&) { Q_EMIT h.oleDropText(); }}},
            {ev::OnOLEDropFiles, {1, [](H& h, const Args& a) { Q_EMIT h.oleDropFiles(a.Str(0)); }}},
            {ev::OnManualStartDrag, {2, [](H& h, const Args& a) {
                 const QString sel = a.Str(0);
                 InOut<bool>(a, 1, [&](bool& can) { Q_EMIT h.manualStartDrag(sel, can); });
             }}},
            {ev::OnUserDraw, {4, [](H& h, const Args& a) { Q_EMIT h.userDraw(a.Long(0), a.Long(1), a.Long(2), a.Long(3)); }}},
            {ev::OnUserClientDraw, {6, [](H& h, const Args& a) {
                 Q_EMIT h.userClientDraw(a.Long(0), a.Long(1), a.Long(2), a.Long(3), a.Long(4), a.Long(5));
             }}},
            {ev::OnSelectionChange, {0, [](H& h, const Args&) { Q_EMIT h.selectionChange(); }}},
            {ev::OnMoveCaret, {0, [](H& h, const Args&) { Q_EMIT h.moveCaret(); }}},
            {ev::OnChangeInsMode, {1, [](H& h, const Args& a) { Q_EMIT h.changeInsMode(a.Bool(0)); }}},
            {ev::OnChangeRedoMode, {1, [](H& h, const Args& a) { Q_EMIT h.changeRedoMode(a.Bool(0)); }}},
            {ev::OnChangeModify, {1, [](H& h, const Args& a) { Q_EMIT h.changeModify(a.Bool(0)); }}},
            {ev::OnFind, {5, [](H& h, const Args& a) {
                 const QString str = a.Str(0), findchr = a.Str(1);
                 const int index = a.Long(2);
                 InOut<std::int32_t>(a, 3, [&](std::int32_t& x) {
                     InOut<std::int32_t>(a, 4, [&](std::int32_t& len) {
                         int xi = x, li = len;
                         Q_EMIT h.find(str, findchr, index, xi, li);
                         x = xi;
                         len = li;
                     });
                 });
             }}},
            {ev::OnFindHit, {5, [](H& h, const Args& a) {
                 Q_EMIT h.findHit(a.Str(0), a.Long(1), a.Long(2), a.Long(3), a.Long(4));
             }}},
            {ev::OnFindNoHit, {1, [](H& h, const Args& a) { Q_EMIT h.findNoHit(a.Str(0)); }}},
            {ev::OnFindChange, {9, [](H& h, const Args& a) {
                 const QString f = a.Str(0), c = a.Str(1);
                 const int x = a.Long(2), y = a.Long(3), len = a.Long(4), count = a.Long(5);
                 InOut<bool>(a, 6, [&](bool& change) {
                     InOut<bool>(a, 7, [&](bool& ask) {
                         InOut<bool>(a, 8, [&](bool& abort) { Q_EMIT h.findChange(f, c, x, y, len, count, change, ask, abort); });
                     });
                 });
             }}},
            {ev::OnFindChangeEnd, {3, [](H& h, const Args& a) { Q_EMIT h.findChangeEnd(a.Str(0), a.Str(1), a.Long(2)); }}},
            {ev::OnIMEChanging, {0, [](H& h, const Args&) { Q_EMIT h.imeChanging(); }}},
            {ev::OnIMEChanged, {0, [](H& h, const Args&) { Q_EMIT h.imeChanged(); }}},
            {ev::OnIMEReConvert, {0, [](H& h, const Args&) { Q_EMIT h.imeReConvert(); }}},
            {ev::OnMouseDown, {4, [](H& h, const Args& a) { Q_EMIT h.mouseDown(a.Long(0), a.Long(1), a.Long(2), a.Long(3)); }}},
            {ev::OnMouseMove, {3, [](H& h, const Args& a) { Q_EMIT h.mouseMove(a.Long(0), a.Long(1), a.Long(2)); }}},
            {ev::OnMouseUp, {4, [](H& h, const Args& a) { Q_EMIT h.mouseUp(a.Long(0), a.Long(1), a.Long(2), a.Long(3)); }}},
            {ev::OnKeyDown, {2, [](H& h, const Args& a) { Key(h, a, &H::keyDown); }}},
            {ev::OnKeyUp, {2, [](H& h, const Args& a) { Key(h, a, &H::keyUp); }}},
        };
        return table;
    }

    ControlHost* host_;
};

std::unique_ptr<ControlHost> ControlHost::Create(QWidget* parent, const std::string& storedProperties, QString* error) {
    auto fail = [&](const QString& why) -> std::unique_ptr<ControlHost> {
        if (error) *error = why;
        return nullptr;
    };
    com::CLSID clsid{};
    com::HRESULT hr = com::CLSIDFromProgID(tx::kProgIdU16, &clsid);
    if (com::FAILED(hr)) return fail(QStringLiteral("%1 is not registered (%2)").arg(QLatin1String(tx::kProgId), Message(hr)));
    std::unique_ptr<ControlHost> host(new ControlHost);
    hr = com::CoCreateInstance(clsid, &host->control_);
    if (com::FAILED(hr) || !host->control_)
        return fail(QStringLiteral("%1 cannot be created (%2)").arg(QLatin1String(tx::kProgId), Message(hr)));
    host->dispatch_ = com::ComPtr<com::IDispatch>(static_cast<com::IDispatch*>(host->control_.Get()));

    com::ComPtr<tx::ITarnEditXPersist> persist;
    hr = host->control_->QueryInterface(tx::IID_ITarnEditXPersist, reinterpret_cast<void**>(persist.Put()));
    if (com::SUCCEEDED(hr) && persist) {
        hr = storedProperties.empty() ? persist->InitNew() : persist->Load(storedProperties);
        // A stored set the control cannot read leaves it as created; the
        // form is still usable.
        if (com::FAILED(hr) && !storedProperties.empty()) persist->InitNew();
    }

    com::ComPtr<tx::ITarnEditXWindow> window;
    std::uintptr_t handle = 0;
    hr = host->control_->QueryInterface(tx::IID_ITarnEditXWindow, reinterpret_cast<void**>(window.Put()));
    if (com::FAILED(hr) || !window || com::FAILED(window->GetWindow(&handle)) || handle == 0)
        return fail(QStringLiteral("%1 has no window").arg(QLatin1String(tx::kProgId)));
    host->window_ = reinterpret_cast<QWidget*>(handle);
    if (parent) host->window_->setParent(parent);

    com::ComPtr<com::IConnectionPointContainer> points;
    hr = host->control_->QueryInterface(com::IID_IConnectionPointContainer, reinterpret_cast<void**>(points.Put()));
    if (com::SUCCEEDED(hr) && points && com::SUCCEEDED(points->FindConnectionPoint(tx::IID_ITarnEditXEvents, host->point_.Put()))) {
        host->sink_ = com::MakeObject<Sink>(*host);
        if (com::FAILED(host->point_->Advise(static_cast<tx::ITarnEditXEvents*>(host->sink_.Get()), &host->cookie_)))
            host->point_.Reset();
    }
    com::ComPtr<com::IDispatch> font;
    if (com::SUCCEEDED(com::GetProperty(host->Dispatch(), com::DISPID_FONT, &font))) host->font_ = font;
    return host;
}

ControlHost::~ControlHost() {
    if (sink_) sink_->Detach();
    if (point_) point_->Unadvise(cookie_);
    // The control deletes its own window: take it out of the form first, so
    // that the form does not delete it a second time.
    if (window_) {
        window_->hide();
        window_->setParent(nullptr);
    }
    font_.Reset();
    dispatch_.Reset();
    control_.Reset();
}

bool ControlHost::Done(com::HRESULT hr) {
    if (com::SUCCEEDED(hr)) {
        lastError_.clear();
        return true;
    }
    lastError_ = Message(hr);
    return false;
}

QString ControlHost::FontName() {
    com::BSTR name;
    return Done(com::GetProperty(font_.Get(), kFontName, &name)) ? QString::fromStdU16String(name) : QString();
}

int ControlHost::FontSize() {
    std::int32_t size = 0;
    return Done(com::GetProperty(font_.Get(), kFontSize, &size)) ? size : 0;
}

bool ControlHost::SetFontName(const QString& name) { return Done(com::PutProperty(font_.Get(), kFontName, Wire(name))); }

bool ControlHost::SetFontSize(int points) {
    return Done(com::PutProperty(font_.Get(), kFontSize, std::int32_t{points}));
}

std::string ControlHost::SaveProperties() {
    com::ComPtr<tx::ITarnEditXPersist> persist;
    std::string stream;
    if (com::SUCCEEDED(control_->QueryInterface(tx::IID_ITarnEditXPersist, reinterpret_cast<void**>(persist.Put()))) && persist)
        Done(persist->Save(&stream));
    return stream;
}

}  // namespace quenby
