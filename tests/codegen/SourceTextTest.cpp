#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <string_view>

#include "codegen/TargetLanguage.h"
#include "codegen/VariableTable.h"
#include "config/TextTable.h"

using namespace trevalon;
using namespace trevalon::codegen;
using namespace std::string_view_literals;

namespace {

std::unique_ptr<const TargetLanguage> language(Target target) {
    static const TextTable texts;
    return makeTargetLanguage(target, texts);
}

// Texts from a project as each place of the generated code writes them: Python's and C++'s
// string literals, then their comments. The rows are what a hostile project may hold.
struct TextRow {
    std::u16string_view text;
    const char* python;
    const char* cpp;
    const char* pythonComment;
    const char* cppComment;
};

const TextRow kTexts[] = {
    {u"a\nb", R"("a\nb")", R"("a\nb"s)", "a<U+000A>b", "a<U+000A>b"},
    {u"a\rb\r\n", R"("a\rb\r\n")", R"("a\rb\r\n"s)", "a<U+000D>b<U+000D><U+000A>",
     "a<U+000D>b<U+000D><U+000A>"},
    {u"\u2028\u2029\u0085", R"("\u2028\u2029\x85")", R"("\342\200\250\342\200\251\302\205"s)",
     "<U+2028><U+2029><U+0085>", "<U+2028><U+2029><U+0085>"},
    // NUL is a character of the text; no escape takes the digit after it.
    {u"a\0"
     u"1\x01"
     u"F"sv,
     R"("a\x001\x01F")", R"("a\0001\001F"s)", "a<U+0000>1<U+0001>F", "a<U+0000>1<U+0001>F"},
    {u"\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069",
     R"("\u200e\u200f\u202a\u202b\u202c\u202d\u202e\u2066\u2067\u2068\u2069")",
     R"("\342\200\216\342\200\217\342\200\252\342\200\253\342\200\254\342\200\255\342\200\256)"
     R"(\342\201\246\342\201\247\342\201\250\342\201\251"s)",
     "<U+200E><U+200F><U+202A><U+202B><U+202C><U+202D><U+202E><U+2066><U+2067><U+2068><U+2069>",
     "<U+200E><U+200F><U+202A><U+202B><U+202C><U+202D><U+202E><U+2066><U+2067><U+2068><U+2069>"},
    {u"*/ /* // #", R"("*/ /* // #")", R"("*/ /* // #"s)", "*/ /* // #", "*/ /* // #"},
    {u"say \"hi\" \\ end\\ ", R"("say \"hi\" \\ end\\ ")", R"("say \"hi\" \\ end\\ "s)",
     R"(say "hi" \ end\ )", R"(say "hi" \ end<U+005C>)"},
    {uR"(??/ ??= ??' ??( ??) ??! ??< ??> ??- ???)", R"("??/ ??= ??' ??( ??) ??! ??< ??> ??- ???")",
     R"("?\?/ ?\?= ?\?' ?\?( ?\?) ?\?! ?\?< ?\?> ?\?- ?\?\?"s)",
     R"(??/ ??= ??' ??( ??) ??! ??< ??> ??- ???)",
     "?<U+003F>/ ?<U+003F>= ?<U+003F>' ?<U+003F>( ?<U+003F>) ?<U+003F>! ?<U+003F>< ?<U+003F>> "
     "?<U+003F>- ?<U+003F><U+003F>"},
    {u"zażółć €", "\"zażółć €\"", R"("za\u017C\u00F3\u0142\u0107 \u20AC"s)", "zażółć €",
     "zażółć €"},
    {u"\U0001F600\U000E0001", "\"\U0001F600\\U000e0001\"", R"("\U0001F600\363\240\200\201"s)",
     "\U0001F600<U+E0001>", "\U0001F600<U+E0001>"},
    {u"\t\x7f\u00a0\u00ad\uFEFF", R"("\t\x7f\xa0\xad\ufeff")",
     R"("\t\177\302\240\302\255\357\273\277"s)", "<U+0009><U+007F><U+00A0><U+00AD><U+FEFF>",
     "<U+0009><U+007F><U+00A0><U+00AD><U+FEFF>"},
    // UTF-8 has no lone surrogate: the literals hold U+FFFD instead.
    {u"x\xD800", "\"x\uFFFD\"", R"("x\uFFFD"s)", "x<U+D800>", "x<U+D800>"},
};

class EscapedText : public ::testing::TestWithParam<TextRow> {};

TEST_P(EscapedText, IsNothingButTheTextInEachPlace) {
    const TextRow& row = GetParam();
    const QString text =
        QString::fromUtf16(row.text.data(), static_cast<qsizetype>(row.text.size()));
    EXPECT_EQ(language(Target::Python)->literal(text).toStdString(), row.python);
    EXPECT_EQ(language(Target::Cpp)->literal(text).toStdString(), row.cpp);
    EXPECT_EQ(language(Target::Python)->comment(text).toStdString(), row.pythonComment);
    EXPECT_EQ(language(Target::Cpp)->comment(text).toStdString(), row.cppComment);
}

INSTANTIATE_TEST_SUITE_P(HostileTexts, EscapedText, ::testing::ValuesIn(kTexts));

TEST(EscapedText, CommentLinesEachBeginWithTheMark) {
    const QStringList lines =
        language(Target::Cpp)->commentLines(QStringLiteral("a\nb\\ c") + QString(90, u'x') + u'\\');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].toStdString(), "// a<U+000A>b<U+005C>");
    EXPECT_EQ(lines[1].toStdString(), "// c" + std::string(90, 'x') + "<U+005C>");
}

// Flowchart names as identifiers: never a reserved form ("_X", "__", a leading digit).
struct NameRow {
    const char16_t* name;
    const char* identifier;
};

const NameRow kNames[] = {
    {u"zażółć", "zazolc"}, {u"__LINE__", "v_LINE_"}, {u"_x", "v_x"},          {u"1a", "v_1a"},
    {u"a__b", "a_b"},      {u"a\nb", "a_b"},         {u"Środa 2", "Sroda_2"}, {u"", "v_"},
    {u"x\u202Ey", "x_y"},
};

class FlowchartName : public ::testing::TestWithParam<NameRow> {};

TEST_P(FlowchartName, BecomesAnIdentifierOfNoReservedForm) {
    const QString name = QString::fromUtf16(GetParam().name);
    EXPECT_EQ(language(Target::Python)->identifierBase(name).toStdString(), GetParam().identifier);
    EXPECT_EQ(language(Target::Cpp)->identifierBase(name).toStdString(), GetParam().identifier);
}

INSTANTIATE_TEST_SUITE_P(Names, FlowchartName, ::testing::ValuesIn(kNames));

TEST(FlowchartName, PseudoCodeKeepsItShowingWhatIsUnseen) {
    EXPECT_EQ(language(Target::Pseudo)
                  ->identifierBase(QString::fromUtf16(u"Środa\u202E\n"))
                  .toStdString(),
              "Środa<U+202E><U+000A>");
}

// A variable named like a function the prelude defines at its top level would replace it.
TEST(FlowchartName, NeverTakesANameThePreludeDefines) {
    const struct {
        Target target;
        const char* file;
        const char* definition;
    } kPreludes[] = {
        {Target::Python, "PreludePython.inc", R"((?:^|R"~\()(?:def|class) (\w+)|^(\w+) =)"},
        {Target::Cpp, "PreludeCpp.inc",
         R"((?:^|R"~\()(?:\[\[\w+\]\] )?(?:[\w:<>,]+[ *&]+)+(\w+)[(;])"},
    };
    for (const auto& prelude : kPreludes) {
        QFile file(QStringLiteral(TREVALON_SOURCE_DIR "/src/codegen/") + prelude.file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString code = QString::fromUtf8(file.readAll());
        const QRegularExpression definition(QLatin1String(prelude.definition),
                                            QRegularExpression::MultilineOption);
        Project empty;
        const auto target = language(prelude.target);
        VariableTable names(empty, *target);
        int found = 0;
        for (const QRegularExpressionMatch& m : definition.globalMatch(code)) {
            const QString name = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
            EXPECT_NE(names.identifier(name), name) << prelude.file << ": " << name.toStdString();
            ++found;
        }
        EXPECT_GT(found, 60) << prelude.file;  // the pattern still finds the definitions
    }
}

}  // namespace
