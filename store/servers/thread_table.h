// State the library keeps for each calling thread (an enumeration's position, a cached pass).
// Not thread_local: in a DLL built by mingw its destructors may run after a host unloaded the
// library. Each thread finds its own entry through a TLS slot, so a thread that ends and a new
// one that gets its id never share an entry; the table owns the entries. The library's entry
// point drops a thread's entry when the thread ends, and the table frees whatever is left when
// the library unloads.
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
        {
            CExclusive hold(m_lock);
            m_mapOwned.emplace(entry, std::move(owned));
        }
        if (!TlsSetValue(m_dwSlot, entry)) {
            Forget(entry);
            return nullptr;
        }
        return entry;
    }

    // Frees the calling thread's entry.
    void Drop()
    {
        T* entry = Find();
        if (!entry)
            return;
        TlsSetValue(m_dwSlot, nullptr);
        Forget(entry);
    }

private:
    // Released on every path: an allocation inside may throw.
    class CExclusive {
    public:
        explicit CExclusive(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
        ~CExclusive() { ReleaseSRWLockExclusive(&m_lock); }
        CExclusive(const CExclusive&) = delete;
        CExclusive& operator=(const CExclusive&) = delete;

    private:
        SRWLOCK& m_lock;
    };

    void Forget(T* entry)
    {
        std::unique_ptr<T> owned;  // freed after the lock is let go
        CExclusive hold(m_lock);
        const auto it = m_mapOwned.find(entry);
        if (it != m_mapOwned.end()) {
            owned = std::move(it->second);
            m_mapOwned.erase(it);
        }
    }

    DWORD m_dwSlot;
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::map<T*, std::unique_ptr<T>> m_mapOwned;
};
