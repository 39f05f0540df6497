#include <gtest/gtest.h>

#include "CorpusFlowcharts.h"
#include "ExampleFlowcharts.h"
#include "FlowBuilder.h"
#include "codegen/CodeGenerator.h"
#include "codegen/FormulaTranslator.h"
#include "config/TextIds.h"
#include "config/TextTable.h"

using namespace trevalon;
using namespace trevalon::codegen;

namespace {

// Formulas as the translation writes them: the language's grouping made explicit, and the
// helpers where its texts show through.
struct FormulaRow {
    const char* formula;
    const char* python;
    const char* cpp;
};

const FormulaRow kFormulas[] = {
    {"a = b + 1", "int(a == b) + 1", "(a == b) + 1"},
    {"x > 1 and x < 5", "int((x > 1) and (x >= 1)) < 5", "((x > 1) && (x >= 1)) < 5"},
    {"-a * b", "-(a * b)", "-(a * b)"},
    {"7 / 2", "rounded(7 / 2)", "rounded(static_cast<double>(7) / 2)"},
    {"a / b", "rounded(divide(a, b))", "rounded(divide(a, b))"},
    {"x * 2", "rounded(x * 2)", "rounded(x * 2)"},
    {"a div 2", "whole_div(a, 2)", "a / 2"},
    {"a mod b", "mod(a, b)", "mod(a, b)"},
    {"a mod 3", "mod(a, 3)", "a % 3"},
    {"x div 2", "whole_div(to_int(x), 2)", "to_int(x) / 2"},
    {"s || a", "s + str(a)", "s + std::to_string(a)"},
    {"s < \"m\"", "compare(s, \"m\") < 0", "compare(s, \"m\"s) < 0"},
    {"s = a", "s == str(a)", "s == std::to_string(a)"},
    {"s + 1", "rounded(num(s) + 1)", "rounded(num(s) + 1)"},
    {"a in [1, 2, 3]", "a == 1 or a == 2 or a == 3", "a == 1 || a == 2 || a == 3"},
    {"copy(s, 2, a + 1)", "copy(s, 2, a + 1)", "copy(s, 2, a + 1)"},
    {"2 ^ 10", "rounded(2 ** 10)", "rounded(std::pow(2, 10))"},
    {"Pi * 2", "rounded(Pi * 2)", "rounded(Pi * 2)"},
    {"(-08) * a + 007", "(-8 * a) + 7", "(-8 * a) + 7"},
};

class FormulaTranslation : public ::testing::TestWithParam<FormulaRow> {};

TEST_P(FormulaTranslation, MakesTheGroupingAndTextsExplicit) {
    Project project;
    test::FlowBuilder f(project);
    f.variable(1, 1, 1, QStringLiteral("a"), TypeInteger);
    f.variable(1, 1, 2, QStringLiteral("b"), TypeInteger);
    f.variable(1, 1, 3, QStringLiteral("x"), TypeReal);
    f.variable(1, 1, 4, QStringLiteral("s"), TypeText, QStringLiteral("\"Ala\""));
    const FormulaRow& row = GetParam();
    const TextTable texts;
    for (const Target target : {Target::Python, Target::Cpp}) {
        const auto language = makeTargetLanguage(target, texts);
        const VariableTable variables(project, *language);
        HelperSet helpers;
        FormulaTranslator translator(*language, variables, helpers);
        const std::optional<Code> code = translator.translate(QString::fromUtf8(row.formula));
        ASSERT_TRUE(code) << translator.error().message(QStringLiteral("ang")).toStdString();
        EXPECT_EQ(code->text.toStdString(), target == Target::Python ? row.python : row.cpp)
            << row.formula;
    }
}

INSTANTIATE_TEST_SUITE_P(Formulas, FormulaTranslation, ::testing::ValuesIn(kFormulas));

// A refusal is a reason from the text table with what it names, so that the code window and
// trevalon-cli export can show it in the interface language.
TEST(FormulaTranslation, RefusesWhatItCannotCarryOverWithTheReason) {
    Project project;
    test::FlowBuilder(project).variable(1, 1, 1, QStringLiteral("a"), TypeInteger);
    const TextTable texts;
    const auto python = makeTargetLanguage(Target::Python, texts);
    const VariableTable variables(project, *python);
    HelperSet helpers;
    FormulaTranslator translator(*python, variables, helpers);
    const struct {
        const char* formula;
        int reason;
        const char* english;
    } rows[] = {
        {"zzz + 1", texts::CodegenNoVariable, "zzz is no variable"},
        {"a:=2; a*3", texts::CodegenFormulaAssigns,
         "the formula a:=2; a*3 assigns inside itself or is a sequence of formulas"},
        {"1; 2", texts::CodegenFormulaAssigns,
         "the formula 1; 2 assigns inside itself or is a sequence of formulas"},
        {"existvar(\"a\")", texts::CodegenUntranslatable,
         "the formula existvar(\"a\") uses existvar, which has no translation"},
        {"(1 + 2", texts::CodegenFormulaSyntax, "the formula (1 + 2 does not parse"},
        {"[1, 2] + 1", texts::CodegenSetMisplaced, nullptr},
        {"copy(\"abc\", 1, 2, 3)", texts::CodegenTooManyArguments, "too many arguments for copy"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(translator.translate(QString::fromUtf8(row.formula))) << row.formula;
        EXPECT_EQ(translator.error().text(), row.reason) << row.formula;
        if (row.english != nullptr) {
            EXPECT_EQ(translator.error().message(QStringLiteral("ang")).toStdString(), row.english);
        }
        EXPECT_FALSE(translator.error().message(QStringLiteral("pl")).isEmpty()) << row.formula;
    }
}

// Every example and corpus flowchart translates into each language; only the flow with two
// ways out of its loop needs the state machine.
TEST(CodeGeneration, StructuresEveryFlowButTheUnstructuredOne) {
    const TextTable texts;
    std::vector<std::pair<std::string, bool>> flows;
    std::vector<std::unique_ptr<Project>> projects;
    for (const ExampleFlowchart& example : exampleFlowcharts()) {
        projects.push_back(std::make_unique<Project>());
        example.build(*projects.back());
        flows.emplace_back(example.file, false);
    }
    for (const CorpusFlowchart& flowchart : corpusFlowcharts()) {
        projects.push_back(std::make_unique<Project>());
        flowchart.build(*projects.back());
        flows.emplace_back(flowchart.name, flowchart.unstructured);
    }
    for (std::size_t i = 0; i < projects.size(); ++i) {
        for (const Target target : {Target::Python, Target::Cpp, Target::Pseudo}) {
            const GeneratedCode code = CodeGenerator(*projects[i], texts, target).generate({});
            ASSERT_TRUE(code.ok())
                << flows[i].first << ": " << code.status.message(texts).toStdString();
            EXPECT_EQ(code.dispatchedRoutines > 0, flows[i].second) << flows[i].first;
            EXPECT_EQ(code.text().contains(texts.text(texts::CodeDispatchComment).left(40)),
                      flows[i].second)
                << flows[i].first;
        }
    }
}

// What a code window needs: the lines made from a block, here the loop's comparison.
TEST(CodeGeneration, TellsTheLinesOfEachBlock) {
    Project project;
    exampleFlowcharts()[0].build(project);  // the factorial: its comparison stands at 2,7
    const GeneratedCode code = CodeGenerator(project, TextTable(), Target::Python).generate({});
    const std::vector<int> lines = code.linesOf(CellRef{1, 2, 7});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(code.lines[static_cast<std::size_t>(lines[0])].text.trimmed(),
              QStringLiteral("if i > n:"));
    EXPECT_TRUE(code.linesOf(CellRef{1, 5, 5}).empty());  // an empty square has none
}

}  // namespace
