#include "calc/TText.h"

#include <algorithm>
#include <atomic>

#include "calc/ArrayValue.h"
#include "calc/RunBudget.h"
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
    m_keptBytes = 0;
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
    m_keptBytes += VariableBytes + 2 * upperName.size();
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
    m_keptBytes -= VariableBytes + 2 * upperName.size();
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

TText::ArrayElements* TText::arrayAt(size_t slot) const {
    std::unique_ptr<ArrayElements>& array = m_arrays[slot];
    if (array) {
        return array.get();
    }
    const QString& text = valueAt(static_cast<int>(slot));
    qint64 count = 0;
    qint64 characters = 0;
    ArrayValue::forEachElement(text, [&](QStringView element) {
        ++count;
        characters += element.size();
    });
    if (m_budget != nullptr && !m_budget->fits(2 * characters + ElementBytes * count)) {
        m_budget->overMemory();
        return nullptr;
    }
    auto split = std::make_unique<ArrayElements>();
    split->elements.reserve(static_cast<size_t>(count));
    ArrayValue::forEachElement(text, [&split](QStringView element) {
        split->elements.push_back(element.toString());
        split->quote = split->quote || element.contains(u'"');
    });
    split->characters = characters;
    array = std::move(split);
    recount(slot);
    return array.get();
}

bool TText::arrayHoldsQuote(int slot) const {
    const ArrayElements* array = arrayAt(static_cast<size_t>(slot));
    return array == nullptr || array->quote;
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
    text.reserve(array.textLength());
    text += u'"';
    text += u'*';
    for (const QString& element : array.elements) {
        text += element;
        text += u'*';
    }
    text += u'"';
    recount(slot);
}

const QString* TText::arrayElementAt(int slot, qint64 index) const {
    const ArrayElements* array = arrayAt(static_cast<size_t>(slot));
    if (array == nullptr || index < 1 || index > static_cast<qint64>(array->elements.size())) {
        return nullptr;
    }
    return &array->elements[static_cast<size_t>(index - 1)];
}

TText::ArrayWrite TText::setArrayElementAt(int slot, qint64 index, const QString& element) {
    const auto at = static_cast<size_t>(slot);
    ArrayElements* array = arrayAt(at);
    if (array == nullptr) {
        return ArrayWrite::NoMemory;
    }
    std::vector<QString>& elements = array->elements;
    const bool append =
        index >= 1 && (elements.empty() || index > static_cast<qint64>(elements.size()));
    qint64 characters = 0;  // what the elements' characters grow by
    if (index >= 1) {
        characters =
            element.size() - (append ? 0 : elements[static_cast<size_t>(index - 1)].size());
        if (array->textLength() + characters + (append ? 1 : 0) > RunBudget::MaxTextLength) {
            return ArrayWrite::TooLong;
        }
    }
    ++m_writes;
    m_numbers[at].state = NumberCache::Unknown;
    m_pending[at] = ArrayText;
    if (index < 1) {
        return ArrayWrite::Replaced;
    }
    array->quote = array->quote || element.contains(u'"');
    if (append) {
        elements.push_back(element);
    } else {
        elements[static_cast<size_t>(index - 1)] = element;
    }
    array->characters += characters;
    recount(at);
    return append ? ArrayWrite::Appended : ArrayWrite::Replaced;
}

}  // namespace trevalon
