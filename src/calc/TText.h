#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace trevalon {

class RunBudget;

// The Calculator's variable store: every variable is a name and a value text. Names are
// upper-cased before every operation, so they compare without regard to case. Values are kept
// as the formula language writes them: numbers bare, texts in the quote character.
//
// The store keeps the observable bookkeeping of slots: each variable owns a slot number, the
// `index()` text lists ";NAME=slot" per variable in order of creation, `count()` is the highest
// slot in use and `capacity()` grows by 10 slots when the next slot reaches it. Removing the
// last-created variable lets its slot be handed out again; a slot still listed is never reused.
// Lookups go through a hash, so their cost does not grow with the number of variables.
//
// A slot may also keep its value's array elements (see ArrayValue) beside the text: the array
// blocks read and write one element without a pass over the whole text, and the text is made
// again only when someone reads the value whole. Every reader below sees the text.
//
// The store counts the bytes its values keep (keptBytes), for the run's memory limit: two a
// character of every text, a little more for every array element and every variable. Texts
// shared between variables are counted for each; numbers kept as numbers count nothing.
class TText {
public:
    // What writing an array element did.
    enum class ArrayWrite {
        Replaced,
        Appended,
        TooLong,   // the array's text would pass RunBudget::MaxTextLength; nothing changed
        NoMemory,  // splitting the text into elements would pass the memory limit; nothing
                   // changed, and the budget is over
    };
    // What an array element and a variable count, besides their characters.
    static constexpr qint64 ElementBytes = 64;
    static constexpr qint64 VariableBytes = 128;

    // The budget whose memory limit splitting an array's text must fit (nullptr: no limit).
    void setBudget(RunBudget* budget) { m_budget = budget; }
    // The bytes the values keep now; the address stays the same for the store's life.
    const qint64& keptBytes() const { return m_keptBytes; }

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
    const QString& valueAt(int slot) const {
        const auto at = static_cast<size_t>(slot);
        if (m_pending[at] != TextCurrent) {
            makeText(at);
        }
        return m_values[at];
    }
    void setValueAt(int slot, const QString& value) {
        QString& text = beginWrite(slot);
        text = value;
        recount(static_cast<size_t>(slot));
    }
    // Changes the value in `slot` in place: `edit` gets the text, counted as a write, every
    // other form of it forgotten. The text is the slot's own; changing it while nobody shares
    // it copies nothing.
    template <typename Edit>
    void editValueAt(int slot, Edit edit) {
        valueAt(slot);
        edit(beginWrite(slot));
        recount(static_cast<size_t>(slot));
    }
    // The number the value in `slot` reads as in a formula with `quote` as the quote character
    // (see calc::storedValueText); false when it is not a number. The reading is kept until
    // the value changes, so a variable read on every step is parsed once per new value.
    bool numberAt(int slot, QChar quote, long double& number) const {
        // Inline: most readings on a run's steps find the number they read last time.
        const NumberCache& cache = m_numbers[static_cast<size_t>(slot)];
        if (cache.state == NumberCache::Unknown || cache.quote != quote.unicode()) {
            return readNumberAt(slot, quote, number);
        }
        number = cache.value;
        return cache.state == NumberCache::Number;
    }
    // Stores the number as the language writes it (calc::formatNumber); a whole number is kept
    // as a number and written into the slot's own buffer when the value is next read as a
    // text. `quote` is the quote character it will most likely be read with.
    // Answers whether it was a whole number (written with all its digits), given in `whole`.
    bool setNumberAt(int slot, long double number, QChar quote, qint64& whole);

    // Element `index` (from 1) of the array the value in `slot` holds, read as
    // ArrayValue::element reads it; nullptr when there is no such element. The first call
    // after the value changed splits the text once; later ones cost no pass over it. A split
    // that would pass the memory limit is not made: nullptr, and the budget is over.
    const QString* arrayElementAt(int slot, qint64 index) const;
    // Puts `element` at `index` of the array in `slot` as ArrayValue::withElement does. The
    // value's text is made when it is next read whole.
    ArrayWrite setArrayElementAt(int slot, qint64 index, const QString& element);
    // Whether an element of the array in `slot` may hold a double quote.
    bool arrayHoldsQuote(int slot) const;

    // How many entries hold captured assignments (names beginning with "@@").
    int capturedEntries() const { return m_capturedEntries; }
    // The slot bookkeeping of creating a variable that is absent and removing it again at once,
    // without the variable.
    void passTemporarySlot() {
        // Inline, for every assignment of a run: below the capacity only the count moves.
        if (m_count + 1 < m_capacity && !m_entries.empty()) {
            m_count = m_entries.back().slot;
            return;
        }
        passGrowingSlot();
    }

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
            visit(entry.name, valueAt(entry.slot));
        }
    }

private:
    struct ArrayElements {
        std::vector<QString> elements;
        bool quote = false;          // an element holds (or held) a double quote
        qint64 characters = 0;       // of all elements together
        qint64 textLength() const {  // of the text made from them
            return characters + static_cast<qint64>(elements.size()) + 3;
        }
        qint64 bytes() const {
            return 2 * characters + ElementBytes * static_cast<qint64>(elements.size());
        }
    };
    // Whether m_values holds a slot's value, or which other form holds it until it is read.
    enum Pending : unsigned char { TextCurrent, ArrayText, NumberText };

    bool readNumberAt(int slot, QChar quote, long double& number) const;
    void takeNextSlot();
    void passGrowingSlot();
    // Inline: every value a step stores begins here.
    QString& beginWrite(int slot) {
        const auto at = static_cast<size_t>(slot);
        ++m_writes;
        NumberCache& beside = m_numbers[at];
        m_keptBytes -= beside.kept;
        beside.kept = 0;
        beside.state = NumberCache::Unknown;
        m_arrays[at].reset();
        m_pending[at] = TextCurrent;
        return m_values[at];
    }
    // The slot's array elements, split from its text when they are not there yet; nullptr
    // when the split would pass the memory limit.
    ArrayElements* arrayAt(size_t slot) const;
    void makeText(size_t slot) const;
    // Counts what the slot keeps now.
    void recount(size_t slot) const {
        const std::unique_ptr<ArrayElements>& array = m_arrays[slot];
        const qint64 bytes =
            2 * static_cast<qint64>(m_values[slot].size()) + (array ? array->bytes() : 0);
        qint64& kept = m_numbers[slot].kept;
        m_keptBytes += bytes - kept;
        kept = bytes;
    }
    static quint64 nextGeneration();

    struct Entry {
        QString name;
        int slot;
    };

    std::vector<Entry> m_entries;
    QHash<QString, int> m_slots;
    // Mutable: the text of a slot kept as array elements is made when it is read.
    mutable std::vector<QString> m_values;
    mutable std::vector<std::unique_ptr<ArrayElements>> m_arrays;  // slot for slot
    mutable std::vector<Pending> m_pending;                        // slot for slot
    struct NumberCache {
        enum State : char { Unknown, Number, NotNumber };
        State state = Unknown;
        char16_t quote = 0;
        // What recount() found the slot's value keeps: here, where every write looks anyway
        // (and in room the long double's alignment leaves), rather than in a vector of its own.
        qint64 kept = 0;
        long double value = 0;
        qint64 whole = 0;  // the number whose text is pending
    };
    mutable std::vector<NumberCache> m_numbers;  // beside m_values, slot for slot
    mutable qint64 m_keptBytes = 0;
    RunBudget* m_budget = nullptr;
    int m_count = 0;
    int m_capacity = 0;
    int m_capturedEntries = 0;
    quint64 m_generation = nextGeneration();
    quint64 m_writes = 0;
};

}  // namespace trevalon
