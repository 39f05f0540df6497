#include "FlowBuilder.h"
#include "StorageTestSupport.h"

namespace trevalon::test {

void buildSampleProject(Project& project) {
    project.newProject();
    FlowBuilder f(project);
    project.boardCount = 2;
    project.note = QStringLiteral("Zespół Szkół nr 1");
    Board& main = project.board(1);
    main.name = QStringLiteral("Główna");
    main.columns = 6;
    main.rows = 5;
    Cell& start = f.bare(1, 1, 1, 11);
    start.name = QStringLiteral("Start");
    start.text2 = QStringLiteral("Brak klocka");
    Cell& variable = f.bare(1, 6, 5, 15);
    variable.name = QStringLiteral("żółw");
    variable.scope = 1;
    variable.mode = 4;
    variable.text4 = QStringLiteral("\"Ala & kot\"");
    variable.extra1 = 11;
    main.variableCount = 1;
    Cell& write = f.bare(1, 1, 2, 21);
    write.name = QStringLiteral("Pisz1");
    write.mode = 1;
    write.text2 = QStringLiteral("żółw");
    write.text4 = QStringLiteral("Wynik:\r\n<wartość> 'ok'");
    write.extra1 = 3;
    write.extra2 = -7;
    Cell& assign = f.bare(1, 2, 2, 31);
    assign.name = QStringLiteral("Przypisz2");
    assign.text2 = QStringLiteral("żółw");
    assign.text4 = QStringLiteral("żółw+\"ĄĆĘŁŃÓŚŹŻ\"");
    f.bare(1, 1, 3, 41).mode = 0;
    Cell& end = f.bare(1, 1, 4, 12);
    end.name = QStringLiteral("Koniec");
    end.text2 = QStringLiteral("Brak klocka");

    Board& procedure = project.board(2);
    procedure.kind = 1;
    procedure.name = QStringLiteral("Procedura ćwiczeń");
    procedure.columns = 15;
    procedure.rows = 15;
    procedure.left = -40;
    procedure.top = 300;
    Cell& call = f.bare(2, 15, 15, 22);
    call.name = QStringLiteral("Wywołaj3");
    call.text2 = QStringLiteral("Brak");
    call.text3 = QStringLiteral("Brak");
    call.extra1 = 12632256;
}

}  // namespace trevalon::test
