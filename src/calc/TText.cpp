#include "calc/TText.h"

#include <algorithm>
#include <atomic>
#include "calc/ArrayValue.h"
#include "calc/Values.h"

namespace trevalon {

namespace {
constexpr int kGrowth = 10;

bool isCaptured(const QString& upperName) {
    return upperName.startsWith(QLatin1String("@@"));
}
}  // namespace

bool TText::exists(const QString& name) const {
    return findUpper(name.toUpper()) != nullptr;
}

QString TText::get(const QString& name) const {
    const QString* value = findUpper(name.toUpper());
    return value ? *value : QString();
}

void TText::set(const QString& name, const QString& value) {
    setUpper(name.toUpper(), value);
}

void TText::remove(const QString& name) {
    removeUpper(name.toUpper());
}

quint64 TText::nextGeneration() {
    // Atomic: stores made on several threads at once (grading) must still get different numbers.
    static std::atomic<quint64> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

void TText::clear() {
    m_generation = nextGeneration();
    m_entries.clear();
    m_slots.clear();
    m_values.clear();
    m_arrays.clear();
    m_pending.clear();
    m_numbers.clear();
    m_count = 0;
    m_capacity = 0;
    m_capturedEntries = 0;
}

const QString* TText::findUpper(const QString& upperName) const {
    const auto it = m_slots.constFind(upperName);
    if (it == m_slots.cend()) {
        return nullptr;
    }
    return &valueAt(*it);
}

void TText::setUpper(const QString& upperName, const QString& value) {
    const auto it = m_slots.constFind(upperName);
    if (it != m_slots.cend()) {
        setValueAt(*it, value);
        return;
    }
    takeNextSlot();
    m_generation = nextGeneration();
    if (isCaptured(upperName)) {
        ++m_capturedEntries;
    }
    m_entries.push_back({upperName, m_count});
    m_slots.insert(upperName, m_count);
    setValueAt(m_count, value);
}

void TText::removeUpper(const QString& upperName) {
    const auto it = m_slots.find(upperName);
    if (it == m_slots.end()) {
        return;
    }
    const int slot = *it;
    m_slots.erase(it);
    m_generation = nextGeneration();
    if (isCaptured(upperName)) {
        --m_capturedEntries;
    }
    beginWrite(slot).clear();
    --m_writes;  // a removal is no value written
    // Variables come and go at the end of the list most of the time (captured assignments).
    for (auto entry = m_entries.end(); entry != m_entries.begin();) {
        --entry;
        if (entry->slot == slot) {
            m_entries.erase(entry);
            break;
        }
    }
    if (!m_entries.empty()) {
        m_count = m_entries.back().slot;
    }
}

void TText::takeNextSlot() {
    ++m_count;
    if (m_count >= m_capacity) {
        m_capacity += kGrowth;
    }
    if (m_values.size() < static_cast<size_t>(m_capacity)) {
        m_values.resize(static_cast<size_t>(m_capacity));
        m_arrays.resize(static_cast<size_t>(m_capacity));
        m_pending.resize(static_cast<size_t>(m_capacity), TextCurrent);
        m_numbers.resize(static_cast<size_t>(m_capacity));
    }
}

// passTemporarySlot where the slot to pass may grow the capacity.
void TText::passGrowingSlot() {
    takeNextSlot();
    if (!m_entries.empty()) {
        m_count = m_entries.back().slot;
    }
}

// numberAt's reading of a value it does not know yet.
bool TText::readNumberAt(int slot, QChar quote, long double& number) const {
    NumberCache& cache = m_numbers[static_cast<size_t>(slot)];
    const std::optional<long double> read =
        calc::parseNumber(calc::storedValueText(valueAt(slot), quote));
    cache.state = read ? NumberCache::Number : NumberCache::NotNumber;
    cache.quote = quote.unicode();
    cache.value = read.value_or(0);
    number = cache.value;
    return cache.state == NumberCache::Number;
}

bool TText::setNumberAt(int slot, long double number, QChar quote, qint64& whole) {
    QString& text = beginWrite(slot);
    NumberCache& cache = m_numbers[static_cast<size_t>(slot)];
    if (!calc::asWholeNumber(number, whole)) {
        text = calc::formatNumber(number);
        cache.state = NumberCache::Unknown;
        return false;
    }
    m_pending[static_cast<size_t>(slot)] = NumberText;
    cache.whole = whole;
    // A whole number is written with all its digits, so it reads back as itself (-0 as 0),
    // unless the quote character is one of the characters it is written with.
    const bool quoteInNumbers = quote == u'-' || (quote >= u'0' && quote <= u'9');
    cache.state = quoteInNumbers ? NumberCache::Unknown : NumberCache::Number;
    cache.value = static_cast<long double>(whole);
    cache.quote = quote.unicode();
    return true;
}

QString TText::index() const {
    QString text;
    for (const Entry& entry : m_entries) {
        text += u';' + entry.name + u'=' + QString::number(entry.slot);
    }
    return text;
}

QString TText::slotValue(int slot) const {
    if (slot < 0 || static_cast<size_t>(slot) >= m_values.size()) {
        return QString();
    }
    return valueAt(slot);
}

TText::ArrayElements& TText::arrayAt(size_t slot) const {
    std::unique_ptr<ArrayElements>& array = m_arrays[slot];
    if (!array) {
        const QStringList elements = ArrayValue::elements(valueAt(static_cast<int>(slot)));
        array = std::make_unique<ArrayElements>();
        array->elements.assign(elements.begin(), elements.end());
        array->quote = std::any_of(elements.begin(), elements.end(),
                                   [](const QString& element) { return element.contains(u'"'); });
    }
    return *array;
}

void TText::makeText(size_t slot) const {
    QString& text = m_values[slot];
    const Pending pending = m_pending[slot];
    m_pending[slot] = TextCurrent;
    if (pending == NumberText) {
        calc::writeWholeNumber(m_numbers[slot].whole, text);
        return;
    }
    const ArrayElements& array = *m_arrays[slot];
    text.resize(0);
    qsizetype length = 3;
    for (const QString& element : array.elements) {
        length += element.size() + 1;
    }
    text.reserve(length);
    text += u'"';
    text += u'*';
    for (const QString& element : array.elements) {
        text += element;
        text += u'*';
    }
    text += u'"';
}

const QString* TText::arrayElementAt(int slot, qint64 index) const {
    const std::vector<QString>& elements = arrayAt(static_cast<size_t>(slot)).elements;
    if (index < 1 || index > static_cast<qint64>(elements.size())) {
        return nullptr;
    }
    return &elements[static_cast<size_t>(index - 1)];
}

bool TText::setArrayElementAt(int slot, qint64 index, const QString& element) {
    const auto at = static_cast<size_t>(slot);
    ArrayElements& array = arrayAt(at);
    ++m_writes;
    m_numbers[at].state = NumberCache::Unknown;
    m_pending[at] = ArrayText;
    if (index < 1) {
        return false;
    }
    array.quote = array.quote || element.contains(u'"');
    std::vector<QString>& elements = array.elements;
    if (elements.empty() || index > static_cast<qint64>(elements.size())) {
        elements.push_back(element);
        return true;
    }
    elements[static_cast<size_t>(index - 1)] = element;
    return false;
}

}  // namespace trevalon
