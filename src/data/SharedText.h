#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

// An unchangeable text whose copies share one buffer. Every record of a
// values file carries that file's path; sharing it keeps a card of hundreds
// of thousands of records from holding as many copies. A copy is a single
// pointer (a record holds three of them), and texts are read on several
// threads, hence the atomic count.
class SharedText {
public:
    SharedText() = default;
    SharedText(std::string text) : m_shared(new Shared{{1}, std::move(text)}) {}
    SharedText(const char* text) : SharedText(std::string(text)) {}
    SharedText(const SharedText& other) noexcept : m_shared(other.m_shared) { Retain(); }
    SharedText(SharedText&& other) noexcept : m_shared(std::exchange(other.m_shared, nullptr)) {}
    SharedText& operator=(SharedText other) noexcept
    {
        std::swap(m_shared, other.m_shared);
        return *this;
    }
    ~SharedText() { Release(); }

    const std::string& Str() const { return m_shared ? m_shared->text : Empty(); }
    operator const std::string&() const { return Str(); }

private:
    struct Shared {
        std::atomic<std::uint32_t> refs;
        const std::string text;
    };

    void Retain() const
    {
        if (m_shared)
            m_shared->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void Release()
    {
        if (m_shared && m_shared->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete m_shared;
        m_shared = nullptr;
    }
    static const std::string& Empty()
    {
        static const std::string empty;
        return empty;
    }

    Shared* m_shared = nullptr;
};
