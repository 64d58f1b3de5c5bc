// The object model the rest of the program is written against: objects, owned components,
// events and the exceptions a handler may raise. Nothing here is specific to one program.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// Events carry the object that raised them, as the handlers expect.
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A component is destroyed with its owner at the latest; destroying it earlier takes it
// out of its owner's list.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Component(int index) const { return components_.at(static_cast<size_t>(index)); }

    std::string Name;

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};

// The base of every failure the program reports to the user: its message is shown as is.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A checked conversion of an object to a class it is not.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};

// An interface that a COM object refused.
class EIntfCastError : public Exception {
public:
    EIntfCastError() : Exception("Interface not supported") {}
};

// A failure code of COM or the system, described in the system's words.
class EOleSysError : public Exception {
public:
    explicit EOleSysError(long code);
    long ErrorCode() const { return code_; }

    // The system's description of the code without trailing blanks, line breaks and full
    // stops, or "OLE error XXXXXXXX" when the system has none.
    static std::string Describe(long code);

private:
    long code_;
};

// Throws EOleSysError when the result is a failure code; returns it otherwise.
long OleCheck(long result);

// Throws EInvalidCast unless the object is a T.
template <class T> T* checked_cast(TObject* object)
{
    T* result = dynamic_cast<T*>(object);
    if (!result)
        throw EInvalidCast();
    return result;
}
