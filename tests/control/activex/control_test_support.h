// Pieces shared by the control's tests: one application for the process,
// and an event sink that records what the control raised.
#pragma once

#include <QApplication>
#include <gtest/gtest.h>

#include "tests/qt_test_app.h"

#include <functional>
#include <memory>
#include <vector>

#include "platform/com/object.h"
#include "platform/com/variant.h"
#include "tarnedit/tarn_edit_x.h"

namespace tarnedit::test {

namespace com = platform::com;

using testing_qt::QtEnvironment;

// Records every event; answers OnFind with a fixed match when asked to.
class RecordingSink final : public com::ComObject<RecordingSink, ITarnEditXEvents> {
public:
    struct Raised {
        com::DISPID id;
        std::vector<com::Variant> args;  // declaration order, dereferenced
    };
    std::vector<Raised> raised;
    com::DISPID lastFindMatch = 0;
    std::int32_t findX = 0, findLen = 0;  // OnFind's answer when findX > 0
    // Writes the answers of in/out arguments (rgvarg holds them last first).
    std::function<void(com::DISPID, com::DISPPARAMS*)> answer;

    int Count(com::DISPID id) const {
        int n = 0;
        for (const Raised& r : raised) n += r.id == id;
        return n;
    }

    com::HRESULT GetTypeInfoCount(unsigned* n) noexcept override {
        *n = 0;
        return com::S_OK;
    }
    com::HRESULT GetTypeInfo(unsigned, com::ITypeInfo**) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(const com::BSTR*, unsigned, com::DISPID*) noexcept override { return com::E_NOTIMPL; }
    com::HRESULT Invoke(com::DISPID id, std::uint16_t, com::DISPPARAMS* p, com::Variant*, com::EXCEPINFO*,
                        unsigned*) noexcept override {
        Raised r{id, {}};
        for (unsigned i = p->cArgs; i-- > 0;) r.args.push_back(p->rgvarg[i].Deref());
        raised.push_back(std::move(r));
        if (id == event::OnFind && findX > 0) {
            // Arguments: Str, findchr, index, in/out x, in/out len.
            *p->rgvarg[1].Target<std::int32_t>() = findX;
            *p->rgvarg[0].Target<std::int32_t>() = findLen;
        }
        if (answer) answer(id, p);
        return com::S_OK;
    }
};

}  // namespace tarnedit::test
