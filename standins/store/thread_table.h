// State the library keeps for each calling thread (an enumeration's position, a cached pass).
// Not thread_local: in a DLL built by mingw its destructors may run after a host unloaded the
// library. Each thread finds its own entry through a TLS slot, so a thread that ends and a new
// one that gets its id never share an entry; the table owns the entries and frees whatever is
// left when the library unloads.
#pragma once

#include <windows.h>

#include <memory>
#include <map>

template <typename T>
class CThreadTable {
public:
    CThreadTable() : m_dwSlot(TlsAlloc()) {}
    ~CThreadTable()
    {
        if (m_dwSlot != TLS_OUT_OF_INDEXES)
            TlsFree(m_dwSlot);
    }
    CThreadTable(const CThreadTable&) = delete;
    CThreadTable& operator=(const CThreadTable&) = delete;

    // The calling thread's entry, or null when it has none.
    T* Find() const
    {
        return m_dwSlot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<T*>(TlsGetValue(m_dwSlot));
    }

    // The calling thread's entry, made when it has none; null only when memory or slots ran out.
    // Only the calling thread uses the entry, so nothing guards what is inside it.
    T* Get()
    {
        if (T* entry = Find())
            return entry;
        if (m_dwSlot == TLS_OUT_OF_INDEXES)
            return nullptr;
        auto owned = std::make_unique<T>();
        T* entry = owned.get();
        AcquireSRWLockExclusive(&m_lock);
        m_mapOwned.emplace(entry, std::move(owned));
        ReleaseSRWLockExclusive(&m_lock);
        TlsSetValue(m_dwSlot, entry);
        return entry;
    }

    // Frees the calling thread's entry.
    void Drop()
    {
        T* entry = Find();
        if (!entry)
            return;
        TlsSetValue(m_dwSlot, nullptr);
        AcquireSRWLockExclusive(&m_lock);
        m_mapOwned.erase(entry);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    DWORD m_dwSlot;
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::map<T*, std::unique_ptr<T>> m_mapOwned;
};
