#include "codegen/VariableTable.h"

#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon::codegen {
namespace {

// Words a generated name must not be, with the helper functions of the preludes.
const char* const kReserved[] = {
    // Python
    "False", "None", "True", "and", "as", "assert", "async", "await", "break", "class", "continue",
    "def", "del", "elif", "else", "except", "finally", "for", "from", "global", "if", "import",
    "in", "is", "lambda", "nonlocal", "not", "or", "pass", "raise", "return", "try", "while",
    "with", "yield", "print", "input", "len", "str", "int", "float", "abs", "math", "sys", "re",
    "list", "max", "min", "sum", "round", "type", "id", "print_line",
    // C++
    "auto", "bool", "case", "catch", "char", "const", "default", "delete", "do", "double", "enum",
    "explicit", "extern", "friend", "goto", "inline", "long", "namespace", "new", "operator",
    "private", "protected", "public", "register", "short", "signed", "sizeof", "static", "struct",
    "switch", "template", "this", "throw", "typedef", "typename", "union", "unsigned", "using",
    "virtual", "void", "volatile", "std", "main", "string", "vector", "xor", "bitand", "bitor",
    "compl", "not_eq", "or_eq", "and_eq", "xor_eq",
    // helpers and names the generated code uses itself
    "fmt", "num", "to_int", "divide", "div", "mod", "compare", "real_text", "array_text", "element",
    "put_element", "read_line", "read_int", "read_real", "read_text", "read_char", "read_date",
    "read_logical", "read_array", "ask", "random_below", "fail", "state", "copy", "pos", "trim",
    "upper", "lower", "length", "nameday", "weekday", "day", "month", "year", "sqrt", "square_root",
    "sin", "cos", "tg", "exp", "ln", "trunc", "frac", "sign", "iff", "prefix", "maxval", "minval",
    "sumval", "avgval", "logic", "numeric", "ascii", "chr", "random", "Mt64", "generator", "seed",
    "argc", "argv", "line", "value", "parts", "date_parts", "draw", "rounded", "whole_div",
    "whole_part", "square_root", "logical_not", "chars", "utf8", "read_value", "Pi", "nameday",
    "check_draws", "low", "high", "time", "datetime", "decimal", "ctg", "arcsin", "arccos", "arctg",
    "arcctg", "sh", "ch", "th", "cth", "heaviside", "trim_left", "trim_right", "copy_to",
    "delete_text", "replace_text", "insert_text", "numbase", "basenum", "as_text", "re", "math",
    "matches", "clock_text", "lines", "day_number", "seed_from_arguments",
    // names the C library puts into the global namespace
    "log", "log2", "log10", "tan", "pow", "floor", "ceil", "fabs", "fmod", "hypot", "y0", "y1",
    "yn", "j0", "j1", "jn", "erf", "erfc", "gamma", "lgamma", "tgamma", "exit", "abort", "printf",
    "puts", "putchar", "getchar", "rand", "srand", "clock", "remainder", "signbit", "isnan",
    "isinf", "index", "rindex", "select", "tolower", "toupper", "isdigit", "isalpha", "strlen",
    "ldiv", "lldiv", "atoi", "atol", "atof", "free", "malloc", "calloc", "realloc", "system",
    "getenv", "stdin", "stdout", "stderr", "errno", "qsort", "bsearch", "labs", "llabs", "nan",
    "modf", "frexp", "ldexp", "cbrt", "expm1", "log1p", "asin", "acos", "atan", "atan2", "sinh",
    "cosh", "tanh", "lround", "llround", "rint", "nearbyint", "fmin", "fmax", "fdim", "fma",
    "scalbn", "ilogb", "logb", "copysign", "nextafter", "drem", "significand", "remove", "rename",
    "tmpfile", "fopen", "fclose", "read", "write", "open", "close", "sleep", "pipe", "fork", "link",
    "unlink", "access", "dup", "sync", "kill", "signal", "raise"};

}  // namespace

ValueKind joined(ValueKind a, ValueKind b) {
    if (a == b) {
        return a;
    }
    if (a == ValueKind::Array || b == ValueKind::Array) {
        return ValueKind::Text;
    }
    if (a == ValueKind::Text || b == ValueKind::Text) {
        return ValueKind::Text;
    }
    if (a == ValueKind::Real || b == ValueKind::Real) {
        return ValueKind::Real;
    }
    return ValueKind::Int;
}

ValueKind kindOfType(int type) {
    switch (type) {
        case TypeInteger:
            return ValueKind::Int;
        case TypeReal:
            return ValueKind::Real;
        case TypeLogical:
            return ValueKind::Bool;
        case TypeArray:
            return ValueKind::Array;
        default:
            return ValueKind::Text;
    }
}

QStringList arrayElements(const QString& value) {
    QString inner = value.trimmed();
    if (inner.startsWith(u'"')) {
        inner = inner.mid(1);
        if (inner.endsWith(u'"')) {
            inner.chop(1);
        }
    }
    if (inner.size() >= 2 && inner.startsWith(u'*') && inner.endsWith(u'*')) {
        return inner.mid(1, inner.size() - 2).split(u'*');
    }
    return inner.split(u'*', Qt::SkipEmptyParts);
}

VariableTable::VariableTable(const Project& project, const TargetLanguage& language)
    : m_language(language) {
    for (const char* word : kReserved) {
        m_taken.insert(QString::fromLatin1(word).toLower());
    }
    for (int n = 1; n <= project.boardCount; ++n) {
        project.board(n).forEachUsedCell([this](const Cell& cell, int, int) {
            if (cell.kindCode != KindVariable || find(cell.name) != nullptr) {
                return;
            }
            Variable v;
            v.name = cell.name;
            v.type = cell.variableType();
            v.start = cell.startValue();
            v.kind = kindOfType(cell.variableType());
            v.identifier = identifier(cell.name);
            m_variables.push_back(v);
        });
    }
}

Variable* VariableTable::find(const QString& name) {
    for (Variable& v : m_variables) {
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &v;
        }
    }
    return nullptr;
}

const Variable* VariableTable::find(const QString& name) const {
    return const_cast<VariableTable*>(this)->find(name);
}

QString VariableTable::identifier(const QString& name) {
    const QString base = m_language.identifierBase(name);
    QString id = base;
    for (int n = 2; m_taken.contains(id.toLower()) || m_language.isReserved(id); ++n) {
        id = m_language.numbered(base, n);
    }
    m_taken.insert(id.toLower());
    return id;
}

}  // namespace trevalon::codegen
