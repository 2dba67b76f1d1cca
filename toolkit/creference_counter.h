// Shared ownership of toolkit objects: a new object holds one reference; remember() adds one,
// forget() drops one and destroys the object with the last.
#pragma once

namespace VSTGUI {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    void remember() { ++nbReference; }
    void forget() {
        if (--nbReference == 0) delete this;
    }
    long getNbReference() const { return nbReference; }

private:
    long nbReference = 1;
};

}  // namespace VSTGUI
