#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace trevalon {

// The Calculator's variable store: every variable is a name and a value text. Names are
// upper-cased before every operation, so they compare without regard to case. Values are kept
// as the formula language writes them: numbers bare, texts in the quote character.
//
// The store keeps the observable bookkeeping of slots: each variable owns a slot number, the
// `index()` text lists ";NAME=slot" per variable in order of creation, `count()` is the highest
// slot in use and `capacity()` grows by 10 slots when the next slot reaches it. Removing the
// last-created variable lets its slot be handed out again; a slot still listed is never reused.
// Lookups go through a hash, so their cost does not grow with the number of variables.
class TText {
public:
    bool exists(const QString& name) const;
    // The value of `name`; the empty text when there is no such variable.
    QString get(const QString& name) const;
    // Replaces the value of an existing variable, or creates it in the next slot.
    void set(const QString& name, const QString& value);
    // Forgets the variable; nothing happens when it does not exist.
    void remove(const QString& name);
    void clear();

    // The same operations for a name that is already upper-case (the Calculator's hot path).
    const QString* findUpper(const QString& upperName) const;
    void setUpper(const QString& upperName, const QString& value);
    void removeUpper(const QString& upperName);

    // Changes whenever a variable comes or goes (never for a new value of a variable), and is
    // never the same for two stores: a slot found by name stays valid while it is unchanged.
    quint64 generation() const { return m_generation; }
    // Counts the values written into slots: while it and generation() stay as they were, no
    // value changed (the trace table compares values only after a write).
    quint64 writes() const { return m_writes; }
    // The slot of an upper-case name, or -1.
    int slotOf(const QString& upperName) const { return m_slots.value(upperName, -1); }
    const QString& valueAt(int slot) const { return m_values[static_cast<size_t>(slot)]; }
    void setValueAt(int slot, const QString& value) {
        ++m_writes;
        m_values[static_cast<size_t>(slot)] = value;
        m_numbers[static_cast<size_t>(slot)].state = NumberCache::Unknown;
    }
    // The number the value in `slot` reads as in a formula with `quote` as the quote character
    // (see calc::storedValueText); false when it is not a number. The reading is kept until
    // the value changes, so a variable read on every step is parsed once per new value.
    bool numberAt(int slot, QChar quote, long double& number) const;
    // Stores the number as the language writes it (calc::formatNumber), in the slot's own
    // buffer when it can; `quote` is the quote character it will most likely be read with.
    // Answers whether it was a whole number (written with all its digits), given in `whole`.
    bool setNumberAt(int slot, long double number, QChar quote, qint64& whole);

    // How many entries hold captured assignments (names beginning with "@@").
    int capturedEntries() const { return m_capturedEntries; }
    // The slot bookkeeping of creating a variable that is absent and removing it again at once,
    // without the variable.
    void passTemporarySlot();

    // ";NAME=slot" for every variable, in order of creation.
    QString index() const;
    int count() const { return m_count; }
    int capacity() const { return m_capacity; }
    int size() const { return static_cast<int>(m_entries.size()); }
    // The value in `slot`; empty for a free or unknown slot.
    QString slotValue(int slot) const;

    // Visits every variable in `index()` order with its upper-case name and its value.
    template <typename Visit>
    void forEach(Visit visit) const {
        for (const Entry& entry : m_entries) {
            visit(entry.name, m_values[static_cast<size_t>(entry.slot)]);
        }
    }

private:
    void takeNextSlot();
    static quint64 nextGeneration();

    struct Entry {
        QString name;
        int slot;
    };

    std::vector<Entry> m_entries;
    QHash<QString, int> m_slots;
    std::vector<QString> m_values;
    struct NumberCache {
        enum State : char { Unknown, Number, NotNumber };
        State state = Unknown;
        char16_t quote = 0;
        long double value = 0;
    };
    mutable std::vector<NumberCache> m_numbers;  // beside m_values, slot for slot
    int m_count = 0;
    int m_capacity = 0;
    int m_capturedEntries = 0;
    quint64 m_generation = nextGeneration();
    quint64 m_writes = 0;
};

}  // namespace trevalon
