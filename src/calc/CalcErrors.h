#pragma once

namespace trevalon::calc {

// The Calculator's error numbers; TCalcul::ErrorMessage gives each its message (quoted here in
// Polish). The first error of an evaluation is the one reported.
enum Error : int {
    ErrorDoesNotExist = 1,          // "nie istnieje ": a weekday number outside 1..7
    ErrorNotANumber = 2,            // "Nie można przekonwertować na wartość liczbową: "
    ErrorInvalidFormula = 3,        // "Nieprawidłowy wzór (..) ": the generic error
    ErrorUnknownVariable = 6,       // "Nieznana zmienna: "
    ErrorFunctionArguments = 7,     // "Błąd wewnętrzny, funkcja z parametrem."
    ErrorTooFewArguments = 8,       // "Brak wystarczającej liczby parametrów. "
    ErrorNotASet = 10,              // "Nieprawidłowy parametr w [..] ": `in` without a set
    ErrorUnknownOperation = 11,     // "Błąd wewnętrzny - kod błędu "
    ErrorMalformedNumber = 12,      // "Błędna dana w "
    ErrorUnclosedText = 13,         // "Oczekiwana liczba a jest wartość tekstowa"
    ErrorUnclosedSet = 14,          // "Nieprawidłowy zestaw parametrów [..] "
    ErrorInvalidVariableName = 15,  // "Nieprawidłowy nazwa zmiennej "
    ErrorUnknownFunction = 16,      // "Nieprawidłowa funkcja "
    ErrorMissingOperand = 17,       // "brak argumentu "
    ErrorInvalidValues = 18,        // "Nieprawidłowe wartości ": an exponent that is no value
    ErrorInvalidExpression = 19,    // "Nieprawidłowe wyrażenie ": more after a whole expression
};

}  // namespace trevalon::calc
