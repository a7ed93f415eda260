// The root of the platform's class tree: a polymorphic object with a class name. The
// component model builds its metaclasses on it; lists hold objects through it.
#pragma once

namespace rtl {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;
    virtual const char* ClassName() const noexcept { return "TObject"; }
};

}  // namespace rtl
