#pragma once

#include "codegen/TargetLanguage.h"

namespace trevalon::codegen {

// What Python and C++ share: a program with typed values, which calls a helper function of its
// prelude wherever the flowchart's texts show through (a number written as a text, texts
// compared, a division by zero giving 0), so that it prints what a run prints. Each language
// gives the few pieces that differ below.
class ProgramTarget : public TargetLanguage {
public:
    using TargetLanguage::TargetLanguage;

    Code asText(const Code& code, HelperSet& used) const override;
    Code asInteger(const Code& code, HelperSet& used) const override;
    Code asTruth(const Code& code, HelperSet& used) const override;
    Code storedAs(const Code& code, ValueKind kind, HelperSet& used) const override;
    Code shown(const Code& value, int type, int precision, HelperSet& used) const override;

    Code keptDigits(const Code& code, HelperSet& used) const override;
    Code clock(const QString& name, bool date, bool time, HelperSet& used) const override;
    Code operation(const Operation& operation, HelperSet& used) const override;
    Code comparison(int op, const Code& left, const Code& right, HelperSet& used) const override;
    Code membership(const Code& value, const QString& set, const std::vector<Code>& elements,
                    HelperSet& used) const override;
    QString argument(const Code& code, QChar kind, bool variadic, HelperSet& used) const override;
    Code function(const FunctionCall& call, HelperSet& used) const override;

    QString abort(const QString& message, HelperSet& used) const override;
    QString question(const QString& question, const std::optional<Code>& variable,
                     HelperSet& used) const override;
    QString random(const Code& variable, qint64 bound, HelperSet& used) const override;
    QStringList read(const Code& variable, int type, const QString& prompt,
                     HelperSet& used) const override;
    QString arrayWrite(const Code& array, const Code& index, const Code& value,
                       HelperSet& used) const override;
    QString arrayRead(const Code& array, ValueKind elementKind, const Code& index,
                      const Code& value, HelperSet& used) const override;
    QString condition(const Code& test) const override;
    QString breakStatement() const override;
    QString continueStatement() const override;

    int writeHead(const FileHead& head, std::vector<GeneratedLine>& lines) const override;

protected:
    // A whole number as a text.
    virtual Code wholeAsText(const Code& code) const = 0;
    // `a / b` by a number literal other than 0, which needs no helper.
    virtual Code literalDivision(const Code& a, const Code& b) const = 0;
    virtual Code power(const Code& a, const Code& b) const = 0;
    // `div` and `mod`, which round towards zero as the flowchart does.
    virtual Code wholeDivision(const Operation& operation, HelperSet& used) const;
    virtual QString andSign() const = 0;
    virtual QString orSign() const = 0;
    // How a variadic function's arguments are passed.
    virtual QString variadicArgument(const QString& argument) const = 0;
    virtual QStringList variadicArguments(const QStringList& arguments) const = 0;
    // What the prelude's `ask` answers.
    virtual ValueKind answerKind() const = 0;
    // An array element (a text) read as the whole or real number it holds.
    virtual QString wholeFromText(const QString& text) const = 0;
    virtual QString realFromText(const QString& text) const = 0;
    // The file's first lines, before the heading comment.
    virtual QStringList fileStart() const;
    // The blank lines the language's style puts after a function.
    virtual int functionGap() const = 0;
    // The imports or includes and the helper functions `used` needs.
    virtual QStringList prelude(const HelperSet& used) const = 0;
    // Whether the weekday names of `nameday` are English, as the interface's are.
    bool englishNames() const;
};

}  // namespace trevalon::codegen
