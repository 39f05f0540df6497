#include "calc/Parser.h"

#include <algorithm>

#include "calc/Builtins.h"
#include "calc/CalcErrors.h"
#include "calc/Lexer.h"
#include "calc/Values.h"

namespace trevalon {

namespace {

bool isLeaf(int code) {
    return code == op::Number || code == op::Text || code == op::Name;
}

// Recursive descent over the token stream; one function per grammar level.
class Parser {
public:
    Parser(const QString& prepared, const QString& source, QChar quote, ParsedFormula& out)
        : m_out(out), m_lexer(prepared, source, quote, out) {}

    void run() {
        m_lexer.next();
        const int root = expression();
        if (failed()) {
            return;
        }
        if (m_parenDepth != 0) {
            m_lexer.raise(calc::ErrorInvalidFormula);
            return;
        }
        m_out.root = root;
    }

private:
    // Keeps the recursion within kMaxFormulaDepth.
    class DepthGuard {
    public:
        explicit DepthGuard(Parser& parser) : m_parser(parser) {
            if (++m_parser.m_depth > kMaxFormulaDepth) {
                m_parser.m_lexer.raise(calc::ErrorInvalidFormula);
            }
        }
        ~DepthGuard() { --m_parser.m_depth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Parser& m_parser;
    };

    bool failed() const { return m_out.errorNumber != 0; }
    int current() const { return m_lexer.current(); }

    // expression := term { ("+" | "-") term }, ended by the end of the formula or by ")".
    // The loosest level: only + and - bind more loosely than everything else.
    int expression() {
        int node = term();
        while (!failed() && (current() == op::Plus || current() == op::Minus)) {
            const int code = current();
            m_lexer.next();
            const int right = term();
            node = binary(code, node, right);
        }
        if (failed()) {
            return -1;
        }
        if (current() == op::Close) {
            --m_parenDepth;
            m_lexer.next();
        } else if (current() != op::End) {
            m_lexer.raise(calc::ErrorInvalidExpression);
        }
        return node;
    }

    // term := ["-" | "+"] factor { op factor } where op is `*`, `/` or any word operator,
    // comparison, `,` or `;` (op::isTermOperator); all group from the left. A function's name
    // after a factor is no operator: the term ends there, and `expression` refuses it as any
    // other value after a value. A sign is accepted only where a term begins an expression,
    // so `2*-3` is refused and `-a*b` means -(a*b).
    int term() {
        bool negate = false;
        const int before = m_lexer.previous();
        if (before == op::End || before == op::Open || before == op::Plus || before == op::Minus) {
            if (current() == op::Minus) {
                negate = true;
                m_lexer.next();
            } else if (current() == op::Plus) {
                m_lexer.next();
            }
        }
        int node = factor();
        while (!failed() && op::isTermOperator(current())) {
            const int code = current();
            m_lexer.next();
            const int right = factor();
            node = binary(code, node, right);
        }
        if (negate && !failed()) {
            node = make(op::Negate, QString(), node, -1);
        }
        return node;
    }

    // factor := "(" expression | literal | name | function "(" expression, followed by any
    // number of "^" exponent, where the exponent is one literal or name, optionally in
    // parentheses. So 2^3^2 is (2^3)^2.
    int factor() {
        DepthGuard guard(*this);
        if (failed()) {
            return -1;
        }
        int node = -1;
        const int code = current();
        if (code == op::Open) {
            ++m_parenDepth;
            m_lexer.next();
            node = expression();
        } else if (isLeaf(code)) {
            node = leaf();
        } else if (functionByCode(code)) {
            const QString name = m_lexer.text();
            if (m_lexer.next() != op::Open) {
                m_lexer.raise(calc::ErrorInvalidFormula);
                return -1;
            }
            ++m_parenDepth;
            m_lexer.next();
            const int argument = expression();
            node = make(code, name, argument, -1);
        } else {
            m_lexer.raise(calc::ErrorMissingOperand);
            return -1;
        }
        while (!failed() && current() == op::Power) {
            bool parenthesised = false;
            if (m_lexer.next() == op::Open) {
                parenthesised = true;
                m_lexer.next();
            }
            if (!isLeaf(current())) {
                m_lexer.raise(calc::ErrorInvalidValues);
                return -1;
            }
            const int exponent = leaf();
            if (parenthesised) {
                if (current() != op::Close) {
                    m_lexer.raise(calc::ErrorInvalidFormula);
                    return -1;
                }
                m_lexer.next();
            }
            node = binary(op::Power, node, exponent);
        }
        return node;
    }

    int leaf() {
        const int code = current();
        const int node = make(code, m_lexer.text(), -1, -1);
        if (node >= 0 && code == op::Name) {
            ExprNode& name = m_out.nodes[static_cast<size_t>(node)];
            name.key = name.text.toUpper();
            name.capture = m_lexer.capture();
            if (name.capture >= 0) {
                name.assignedKey = name.key.mid(2);
            }
        }
        m_lexer.next();
        return node;
    }

    int binary(int code, int left, int right) {
        if (failed()) {
            return -1;
        }
        return make(code, QString(), left, right);
    }

    int make(int code, const QString& text, int left, int right) {
        if (failed()) {
            return -1;
        }
        ExprNode node;
        node.code = code;
        node.text = text;
        node.left = left;
        node.right = right;
        node.height = 1 + std::max(heightOf(left), heightOf(right));
        if (node.height > kMaxFormulaDepth) {
            m_lexer.raise(calc::ErrorInvalidFormula);
            return -1;
        }
        m_out.nodes.push_back(std::move(node));
        return static_cast<int>(m_out.nodes.size()) - 1;
    }

    int heightOf(int node) const {
        return node < 0 ? 0 : m_out.nodes[static_cast<size_t>(node)].height;
    }

    ParsedFormula& m_out;
    Lexer m_lexer;
    int m_parenDepth = 0;
    int m_depth = 0;
};

// Whether evaluating `inner` as the right-hand side of an assignment can observe or change the
// captured entries of the store.
bool touchesCaptures(const ParsedFormula& inner) {
    if (!inner.captures.empty()) {
        return true;
    }
    return std::any_of(inner.nodes.begin(), inner.nodes.end(), [](const ExprNode& node) {
        return node.code == op::ExistVar || node.code == op::FreeVar || node.code == op::Eval;
    });
}

// Marks the subtrees that can be computed on numbers (ExprNode::numeric). Operands are made
// before the operators that use them, so one pass in node order sees every operand first.
void markNumeric(ParsedFormula& parsed) {
    auto& nodes = parsed.nodes;
    for (size_t i = 0; i < nodes.size(); ++i) {
        ExprNode& node = nodes[i];
        const auto numericOperand = [&nodes, i](int operand) {
            return operand >= 0 && static_cast<size_t>(operand) < i &&
                   nodes[static_cast<size_t>(operand)].numeric;
        };
        switch (node.code) {
            case op::Number: {
                const std::optional<long double> value = calc::parseNumber(node.text);
                node.hasNumber = value.has_value();
                node.number = value.value_or(0);
                node.numeric = node.hasNumber;
                break;
            }
            case op::Name:
                // Set literals, the `_` constants and captured assignments are not values
                // of the store.
                node.numeric = node.capture < 0 && !node.text.isEmpty() &&
                               node.text.front() != u'[' && node.text.front() != u'_';
                break;
            case op::Plus:
            case op::Minus:
            case op::Times:
            case op::Divide:
                node.numeric = numericOperand(node.left) && numericOperand(node.right);
                break;
            case op::Negate:
                node.numeric = numericOperand(node.left);
                break;
            case op::Less:
            case op::LessEqual:
            case op::Greater:
            case op::GreaterEqual:
                // 1 or 0, from the two numbers as doubles (Evaluator::evalOrdering).
                node.numeric = numericOperand(node.left) && numericOperand(node.right);
                break;
            case op::MaxVal:
            case op::MinVal: {
                // The larger or smaller of numbers, as doubles (the aggregates of Builtins).
                const auto numericChain = [&nodes, &numericOperand](int operand,
                                                                    auto& self) -> bool {
                    if (operand < 0) {
                        return false;
                    }
                    const ExprNode& argument = nodes[static_cast<size_t>(operand)];
                    if (argument.code == op::Comma) {
                        return self(argument.left, self) && self(argument.right, self);
                    }
                    return numericOperand(operand);
                };
                node.numeric = numericChain(node.left, numericChain);
                break;
            }
            case op::Equal:
            case op::NotEqual: {
                // 1 or 0, from the operands' texts: only literals and stored names, whose
                // texts can be compared where they lie.
                const auto plain = [&nodes, &numericOperand](int operand) {
                    return numericOperand(operand) &&
                           (nodes[static_cast<size_t>(operand)].code == op::Number ||
                            nodes[static_cast<size_t>(operand)].code == op::Name);
                };
                node.numeric = plain(node.left) && plain(node.right);
                break;
            }
            default:
                break;
        }
    }
}

bool isDirectAssignment(const ParsedFormula& parsed) {
    if (parsed.errorNumber != 0 || parsed.captures.size() != 1 || !parsed.captures[0].parsed) {
        return false;
    }
    const ExprNode& root = parsed.nodes[static_cast<size_t>(parsed.root)];
    return root.code == op::Name && root.capture == 0 &&
           !touchesCaptures(*parsed.captures[0].parsed);
}

}  // namespace

std::shared_ptr<const ParsedFormula> parseFormula(const QString& formula, QChar quote,
                                                  int captureNesting) {
    auto parsed = std::make_shared<ParsedFormula>();
    parsed->quote = quote;
    parsed->typeGuess = formula.contains(quote) ? 2 : 1;
    QString prepared = cutTrailing(formula);
    if (prepared.contains(u',')) {
        prepared = prepareArguments(prepared, quote);
    }
    Parser parser(prepared, formula, quote, *parsed);
    parser.run();
    if (parsed->errorNumber != 0) {
        parsed->nodes.clear();
        parsed->root = -1;
    }
    markNumeric(*parsed);
    if (captureNesting < kMaxCaptureNesting) {
        for (Capture& capture : parsed->captures) {
            capture.parsed = parseFormula(capture.formula, quote, captureNesting + 1);
        }
    }
    parsed->directAssignment = isDirectAssignment(*parsed);
    return parsed;
}

}  // namespace trevalon
