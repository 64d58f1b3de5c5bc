// Components, ownership and the system-error exceptions.
#include "platform/Classes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner)
{
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent()
{
    // The last first, so components made later (which may refer to earlier ones) go first.
    while (!components_.empty())
        delete components_.back();
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

EOleSysError::EOleSysError(long code) : Exception(Describe(code)), code_(code) {}

std::string EOleSysError::Describe(long code)
{
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, static_cast<DWORD>(code), 0,
                                  reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        text.assign(buffer, length);
        LocalFree(buffer);
    }
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) {
        char fallback[32];
        std::snprintf(fallback, sizeof fallback, "OLE error %.8lX",
                      static_cast<unsigned long>(code));
        text = fallback;
    }
    return text;
}

long OleCheck(long result)
{
    if (result < 0)
        throw EOleSysError(result);
    return result;
}
