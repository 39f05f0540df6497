#include "ExampleFlowcharts.h"

#include "BenchFlowcharts.h"
#include "FlowBuilder.h"

using namespace trevalon;
using test::FlowBuilder;
using test::s;

namespace {

// n! with a loop: i runs from 1 to n, f collects the product.
void factorial(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 9);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("n"), s("Podaj liczbę n:"));
    f.assign(1, 2, 3, s("f"), s("1"));
    f.assign(1, 2, 4, s("i"), s("0"));
    f.put(1, 2, 5, KindJoinLeft);
    f.assign(1, 2, 6, s("i"), s("i + 1"));
    f.compare(1, 2, 7, s("i"), 4, s("n"));
    f.put(1, 1, 7, KindCornerTopRight);
    f.assign(1, 1, 6, s("f"), s("f * i"));
    f.put(1, 1, 5, KindCornerBottomRight);
    f.put(1, 3, 7, KindCornerLeftBottom);
    f.write(1, 3, 8, s("f"), s("Silnia liczby $n$ wynosi"));
    f.put(1, 3, 9, KindEnd);
    f.variable(1, 6, 1, s("n"), TypeInteger, s("0"));
    f.variable(1, 6, 2, s("f"), TypeInteger, s("1"));
    f.variable(1, 6, 3, s("i"), TypeInteger, s("0"));
}

// Euclid's algorithm with remainders.
void gcd(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 10);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("a"), s("Podaj pierwszą liczbę:"));
    f.read(1, 2, 3, s("b"), s("Podaj drugą liczbę:"));
    f.put(1, 2, 4, KindJoinLeft);
    f.column(1, 2, 5, 7, KindLineVertical);
    f.compare(1, 2, 8, s("b"), 5, s("0"));
    f.put(1, 1, 8, KindCornerTopRight);
    f.assign(1, 1, 7, s("t"), s("a mod b"));
    f.assign(1, 1, 6, s("a"), s("b"));
    f.assign(1, 1, 5, s("b"), s("t"));
    f.put(1, 1, 4, KindCornerBottomRight);
    f.put(1, 3, 8, KindCornerLeftBottom);
    f.write(1, 3, 9, s("a"), s("Największy wspólny dzielnik:"));
    f.put(1, 3, 10, KindEnd);
    f.variable(1, 6, 1, s("a"), TypeInteger, s("0"));
    f.variable(1, 6, 2, s("b"), TypeInteger, s("0"));
    f.variable(1, 6, 3, s("t"), TypeInteger, s("0"));
}

// The larger of two numbers, with a comparison of two variables and both branches joined.
void larger(Project& p) {
    FlowBuilder f(p);
    f.put(1, 3, 1, KindStart);
    f.read(1, 3, 2, s("a"), s("Podaj a:"));
    f.read(1, 3, 3, s("b"), s("Podaj b:"));
    f.compareVariables(1, 3, 4, s("a"), 1, s("b"));
    f.put(1, 2, 4, KindCornerBottomRight);
    f.write(1, 2, 5, s("a"), s("Większa jest liczba"));
    f.put(1, 2, 6, KindJoinRight);
    f.put(1, 2, 7, KindEnd);
    f.put(1, 4, 4, KindCornerLeftBottom);
    f.write(1, 4, 5, s("b"), s("Większa (lub równa) jest liczba"));
    f.put(1, 4, 6, KindCornerTopLeft);
    f.put(1, 3, 6, KindLineHorizontal);
    f.variable(1, 7, 1, s("a"), TypeInteger, s("0"));
    f.variable(1, 7, 2, s("b"), TypeInteger, s("0"));
}

// Squares written into an array one by one, then the array and two elements read back.
void array(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 14);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("i"), s("0"));
    f.put(1, 2, 3, KindJoinLeft);
    f.assign(1, 2, 4, s("i"), s("i + 1"));
    f.put(1, 2, 5, KindLineVertical);
    f.compare(1, 2, 6, s("i"), 4, s("5"));
    f.put(1, 1, 6, KindCornerTopRight);
    f.assign(1, 1, 5, s("v"), s("i * i"));
    f.array(1, 1, 4, KindArrayWrite, s("t"), s("i"), s("v"));
    f.put(1, 1, 3, KindCornerBottomRight);
    f.put(1, 3, 6, KindCornerLeftBottom);
    f.write(1, 3, 7, s("t"), s("Tablica kwadratów:"));
    f.assign(1, 3, 8, s("i"), s("3"));
    f.array(1, 3, 9, KindArrayRead, s("t"), s("i"), s("x"));
    f.write(1, 3, 10, s("x"), s("Element nr $i$:"));
    f.assign(1, 3, 11, s("i"), s("9"));
    f.array(1, 3, 12, KindArrayRead, s("t"), s("i"), s("x"));
    f.write(1, 3, 13, s("x"), s("Element nr $i$ (poza tablicą):"));
    f.put(1, 3, 14, KindEnd);
    f.variable(1, 6, 1, s("t"), TypeArray, s("\"*\""));
    f.variable(1, 6, 2, s("i"), TypeInteger, s("0"));
    f.variable(1, 6, 3, s("v"), TypeInteger, s("0"));
    f.variable(1, 6, 4, s("x"), TypeInteger, s("0"));
}

// A procedure on its own board, called from the main board and returning below the call.
void procedure(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("x"), s("Podaj x:"));
    Cell& call = f.named(1, 2, 3, KindCall, s("WywolajKwadrat"));
    call.text2 = s("Kwadrat");
    Cell& back = f.named(1, 2, 4, KindReturn, s("PowrotKwadrat"));
    back.text2 = s("WywolajKwadrat");
    f.write(1, 2, 5, s("y"), s("Kwadrat liczby $x$ to"));
    f.put(1, 2, 6, KindEnd);
    f.variable(1, 6, 1, s("x"), TypeInteger, s("0"), 1);
    f.variable(1, 6, 2, s("y"), TypeInteger, s("0"), 1);

    f.procedure(s("Kwadrat"), s("WywolajKwadrat"), s("PowrotKwadrat"), s("y"), s("x * x"));
}

// Branch jumps: the flow leaves the main board for a fragment board and comes back.
void branch(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("a"), s("7"));
    f.named(1, 2, 3, KindBranchEnd, s("DoFragmentu")).text2 = s("WejscieFragmentu");
    f.named(1, 5, 1, KindBranchStart, s("PowrotZFragmentu")).text2 = s("WyjscieFragmentu");
    f.write(1, 5, 2, s("a"), s("Po powrocie z fragmentu a ="));
    f.put(1, 5, 3, KindEnd);
    f.variable(1, 7, 1, s("a"), TypeInteger, s("0"), 1);

    p.addBoard();
    p.board(2).kind = BoardFragment;
    p.board(2).name = s("Fragment");
    f.named(2, 2, 1, KindBranchStart, s("WejscieFragmentu")).text2 = s("DoFragmentu");
    f.assign(2, 2, 2, s("a"), s("a * 10"));
    f.named(2, 2, 3, KindBranchEnd, s("WyjscieFragmentu")).text2 = s("PowrotZFragmentu");
    p.activeBoard = 1;
}

// A yes/no question steering the flow.
void question(Project& p) {
    FlowBuilder f(p);
    f.put(1, 3, 1, KindStart);
    Cell& ask = f.put(1, 3, 2, KindQuestion);
    ask.text2 = s("odp");
    ask.text4 = s("Czy lubisz algorytmy?");
    f.compare(1, 3, 3, s("odp"), 0, s("1"));
    f.put(1, 2, 3, KindCornerBottomRight);
    f.message(1, 2, 4, s("Świetnie, ja też!"));
    f.put(1, 2, 5, KindJoinRight);
    f.put(1, 2, 6, KindEnd);
    f.put(1, 4, 3, KindCornerLeftBottom);
    f.message(1, 4, 4, s("Szkoda.&Może polubisz je później."));
    f.put(1, 4, 5, KindCornerTopLeft);
    f.put(1, 3, 5, KindLineHorizontal);
    f.variable(1, 7, 1, s("odp"), TypeLogical, s("0"));
}

// A real result shown with two decimals, then with four and unrounded in one message.
void circle(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("r"), s("Podaj promień koła:"));
    f.assign(1, 2, 3, s("pole"), s("Pi * r * r"));
    f.write(1, 2, 4, s("pole"), s("Pole koła:"), 2);
    f.message(1, 2, 5, s("Z dokładnością do 4 cyfr: $4pole$&Bez zaokrąglania: $pole$"));
    f.put(1, 2, 6, KindEnd);
    f.variable(1, 6, 1, s("r"), TypeReal, s("0"));
    f.variable(1, 6, 2, s("pole"), TypeReal, s("0"));
}

// A date read in its three parts and the name of its weekday.
void weekday(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("d"), s("Podaj datę:"));
    f.assign(1, 2, 3, s("dzien"), s("nameday(weekday(d))"));
    f.write(1, 2, 4, s("d"), s("Data:"));
    f.write(1, 2, 5, s("dzien"), s("Dzień tygodnia:"));
    f.put(1, 2, 6, KindEnd);
    f.variable(1, 6, 1, s("d"), TypeDate, s("\"2000/01/01\""));
    f.variable(1, 6, 2, s("dzien"), TypeText, s("\"Brak\""));
}

// A die: a random number block, repeatable with a seed.
void dice(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    Cell& draw = f.put(1, 2, 2, KindRandom);
    draw.text2 = s("k");
    draw.text4 = s("6");
    f.assign(1, 2, 3, s("k"), s("k + 1"));
    f.write(1, 2, 4, s("k"), s("Wyrzucono:"));
    f.put(1, 2, 5, KindEnd);
    f.variable(1, 6, 1, s("k"), TypeInteger, s("1"));
}

// The benchmark's loop: a million rounds of two assignments and a comparison.
void loop(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("i"), s("0"));
    f.put(1, 2, 3, KindJoinLeft);
    f.assign(1, 2, 4, s("i"), s("i + 1"));
    f.compare(1, 2, 5, s("i"), 4, s("1000000"));
    f.put(1, 1, 5, KindCornerTopRight);
    f.assign(1, 1, 4, s("s"), s("s + 2"));
    f.put(1, 1, 3, KindCornerBottomRight);
    f.put(1, 3, 5, KindCornerLeftBottom);
    f.write(1, 3, 6, s("s"), s("Suma:"));
    f.put(1, 3, 7, KindEnd);
    f.variable(1, 6, 1, s("i"), TypeInteger, s("0"));
    f.variable(1, 6, 2, s("s"), TypeInteger, s("0"));
}

constexpr ExampleFlowchart kExamples[] = {
    {"examples/factorial.skb", factorial},
    {"examples/gcd.skb", gcd},
    {"examples/larger.skb", larger},
    {"examples/array.skb", array},
    {"examples/procedure.skb", procedure},
    {"examples/branch.skb", branch},
    {"examples/question.skb", question},
    {"examples/circle.skb", circle},
    {"examples/weekday.skb", weekday},
    {"examples/dice.skb", dice},
    {"bench/loop.skb", loop},
    {"bench/array.skb", bench_flowcharts::arraySquares},
    {"bench/bubble.skb", bench_flowcharts::bubbleSort},
    {"bench/text.skb", bench_flowcharts::textGrowth},
    {"bench/procedure.skb", bench_flowcharts::procedureCalls},
    {"bench/formulas.skb", bench_flowcharts::formulas},
};

}  // namespace

std::span<const ExampleFlowchart> exampleFlowcharts() {
    return kExamples;
}
