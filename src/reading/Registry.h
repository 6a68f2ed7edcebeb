#pragma once

// What the operation and action registries share: a process-wide instance
// created on first use (thread-safe; release stays single-threaded), and the
// creation of a kind from a sub-document through its prototype, or from a
// source (an open reader's element read in place) through its builder.

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "eventconfig/Owned.h"
#include "reading/Grammar.h"
#include "reading/KindView.h"
#include "reading/Reading.h"

namespace ecfg {

template <class T>
class ProcessInstance {
public:
    // The existing instance, or a new one. A failed allocation propagates
    // (std::bad_alloc) and leaves no instance: a caller that went on with a
    // null registry would build rules without their operations and actions.
    static T* Get() {
        T* instance = s_instance.load(std::memory_order_acquire);
        if (instance) return instance;
        std::lock_guard<std::mutex> lock(s_mutex);
        instance = s_instance.load(std::memory_order_relaxed);
        if (!instance) {
            instance = new T();
            s_instance.store(instance, std::memory_order_release);
        }
        return instance;
    }
    static void Release() {
        std::lock_guard<std::mutex> lock(s_mutex);
        delete s_instance.exchange(nullptr, std::memory_order_acq_rel);
    }

private:
    static std::atomic<T*> s_instance;
    static std::mutex s_mutex;
};

template <class T>
std::atomic<T*> ProcessInstance<T>::s_instance{nullptr};
template <class T>
std::mutex ProcessInstance<T>::s_mutex;

// What a registry's table says of a kind, whatever its family: its id, its
// class, a one-line description in the author's words, and the rule of what
// its XML constructor reads. Everything else about a kind derives from it.
struct KindRow {
    int nTypeID;
    const char* szClassName;
    const std::type_info* type;
    const char* szDescription;
    std::shared_ptr<const ElemRule> grammar;
};

// One row of a registry's table: the row, how to make the kind's prototype
// and build it from a source, its view (every getter, to a visitor), and how
// to copy it (null for the kinds that cannot be copied).
template <class Base>
struct KindEntry {
    KindRow row;
    Base* (*make)();
    Base* (*build)(const XmlSource& source);
    void (*view)(Base& object, KindVisitor& visitor);
    Base* (*copy)(const Base& source, bool byAssignment);  // null: not copyable
};

template <class Base, class Kind>
Base* MakePrototype() {
    return new Kind();
}

// A copy by the copy constructor, or by assignment over an object that
// already holds a copy (whose records the assignment must free).
template <class Base, class Kind>
Base* CopyKind(const Base& source, bool byAssignment) {
    const Kind& kind = static_cast<const Kind&>(source);
    if (!byAssignment) return new Kind(kind);
    std::unique_ptr<Kind> assigned(new Kind());
    const Kind copy(kind);
    *assigned = copy;
    *assigned = kind;
    return assigned.release();
}

template <class Base>
using KindCopier = Base* (*)(const Base& source, bool byAssignment);

template <class Base, class Kind>
constexpr KindCopier<Base> CopierOf() {
    if constexpr (std::is_copy_constructible<Kind>::value && std::is_copy_assignable<Kind>::value)
        return &CopyKind<Base, Kind>;
    else
        return nullptr;
}

template <class Base, class Kind>
Base* BuildFromSource(const XmlSource& source) {
    return new Kind(source);
}

template <class Base>
using KindBuilders = std::map<int, Base* (*)(const XmlSource&)>;

// Prototypes filed under their rows' ids, in table order, and beside each the
// builder of its row (the table's test checks that each prototype reports
// its row's id).
template <class Base>
void BuildPrototypes(const std::vector<KindEntry<Base>>& table, OwnedPtrMap<int, Base>& prototypes,
                     KindBuilders<Base>& builders) {
    for (const KindEntry<Base>& entry : table) {
        std::unique_ptr<Base> prototype(entry.make());
        prototypes.Replace(entry.row.nTypeID, std::move(prototype));
        builders[entry.row.nTypeID] = entry.build;
    }
}

// The sub-document's first element's "Type" picks the prototype, whose Clone
// reads the whole sub-document; null when no kind has that id. The caller's
// copy of the sub-document is the one Clone is given: moving keeps its
// characters where they are, so the reader still open here, whose index the
// clone's own readers share, reads the same text until Clone returns.
template <class Base>
Base* CreateFromPrototype(const OwnedPtrMap<int, Base>& prototypes, std::wstring subDoc) {
    XmlReader reader(subDoc);
    reader.Find();
    Base* prototype = prototypes.find(reader.AttrDec(L"Type"));
    return prototype ? prototype->Clone(std::move(subDoc)) : nullptr;
}

// The same from a source, through the builder filed with the prototype (an id
// has a builder exactly when it has a prototype).
template <class Base>
Base* CreateFromBuilder(const KindBuilders<Base>& builders, const XmlSource& source) {
    int type = 0;
    ReadFirstElement(source, [&](const XmlReader& element) { type = element.AttrDec(L"Type"); });
    const auto it = builders.find(type);
    return it != builders.end() ? it->second(source) : nullptr;
}

template <class Base>
std::vector<int> RegisteredIds(const OwnedPtrMap<int, Base>& prototypes) {
    std::vector<int> ids;
    for (const auto& entry : prototypes.get()) ids.push_back(entry.first);
    return ids;
}

// What both registries are: the prototypes of a table's kinds, filed under the
// id each reports, and creation from a sub-document through them.
template <class Base>
class PrototypeRegistry {
public:
    explicit PrototypeRegistry(const std::vector<KindEntry<Base>>& table) {
        BuildPrototypes(table, m_prototypes, m_builders);
    }
    PrototypeRegistry(const PrototypeRegistry&) = delete;
    PrototypeRegistry& operator=(const PrototypeRegistry&) = delete;
    virtual ~PrototypeRegistry() { m_prototypes.clear(); }

    // A new object of the kind the sub-document's "Type" names, or null.
    Base* Create(std::wstring subDoc) const {
        return CreateFromPrototype(m_prototypes, std::move(subDoc));
    }
    Base* Create(const XmlSource& source) const { return CreateFromBuilder(m_builders, source); }
    std::vector<int> GetRegisteredTypes() const { return RegisteredIds(m_prototypes); }
    const Base* GetPrototype(int typeID) const { return m_prototypes.find(typeID); }

private:
    OwnedPtrMap<int, Base> m_prototypes;
    KindBuilders<Base> m_builders;  // filed under the same ids
};

// The rows of a family's table, in table order.
template <class Base>
std::vector<KindRow> KindRows(const std::vector<KindEntry<Base>>& table) {
    std::vector<KindRow> rows;
    for (const KindEntry<Base>& entry : table) rows.push_back(entry.row);
    return rows;
}

// The rows as the public interface lists them (id, class, description).
template <class Info, class Base>
std::vector<Info> KindInfos(const std::vector<KindEntry<Base>>& table) {
    std::vector<Info> infos;
    for (const KindEntry<Base>& entry : table)
        infos.push_back({entry.row.nTypeID, entry.row.szClassName, entry.row.szDescription});
    return infos;
}

// The entry of the object's own class (its dynamic type), or null.
template <class Base>
const KindEntry<Base>* FindKindEntry(const std::vector<KindEntry<Base>>& table,
                                     const Base& object) {
    for (const KindEntry<Base>& entry : table)
        if (*entry.row.type == typeid(object)) return &entry;
    return nullptr;
}

// The row of the kind with that id, or null.
const KindRow* FindKindRow(const std::vector<KindRow>& rows, int typeID);
// The row of the object's own class (its dynamic type), or null.
const KindRow* FindKindRow(const std::vector<KindRow>& rows, const std::type_info& type);

}  // namespace ecfg

// A table row: the id, the class (its name and type), the description, the
// grammar of what its XML constructor reads, and its view: a callable taking
// the kind and a KindVisitor (a generic lambda serves every kind of a shape).
#define ECFG_KIND(base, id, cls, description, grammar, ...)                              \
    {                                                                                    \
        {id, #cls, &typeid(cls), description, grammar}, &ecfg::MakePrototype<base, cls>, \
            &ecfg::BuildFromSource<base, cls>,                                           \
            [](base& object, ecfg::KindVisitor& visitor) {                               \
                (__VA_ARGS__)(static_cast<cls&>(object), visitor);                       \
            },                                                                           \
            ecfg::CopierOf<base, cls>()                                                  \
    }
