// The trace window over a recorded factorial run: its rows and columns, a changed value lit,
// the row the pupil chooses told back, whole rows copied under their header, and the export.
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>

#include "AppFixture.h"
#include "Flowcharts.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"
#include "ui/run/RunController.h"
#include "ui/run/TFSlad.h"
#include "ui/run/TFWykonanie.h"
#include "ui/run/TraceModel.h"
#include "ui/widgets/Palette.h"

using namespace trevalon;

namespace {

class TraceWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        newProject();
        flowcharts::factorial(project());
        main().showBoardWindow(1);
        table = &main().runner().trace();
        main().runner().setTraceWanted(true);  // the window's record, as when it is open
    }

    void TearDown() override {
        window.reset();
        AppFixture::TearDown();
    }

    // Runs the factorial of `n` with the table recording, then shows the window over it.
    void recordRun(const QString& n) {
        TFWykonanie* dialog = app->execution();
        driver.when(dialog, [dialog, n] {
            EXPECT_TRUE(QTest::qWaitFor([dialog] { return dialog->valueInput()->hasFocus(); }));
            QTest::keyClicks(dialog->valueInput(), n);
            QTest::keyClick(dialog->valueInput(), Qt::Key_Return);
        });
        driver.when(dialog, [dialog] { QTest::keyClick(dialog, Qt::Key_Return); });
        QTest::keyClick(&main(), Qt::Key_F9);
        QTRY_VERIFY_WITH_TIMEOUT(!main().runner().running(), 10000);
        window = std::make_unique<TFSlad>(*table, app->workspace().texts(),
                                          app->workspace().messages(), main(), &main());
        window->onRowChosen = [this](int row) { chosen << row; };
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QVariant cell(int row, int column, int role) {
        const TraceModel* model = window->model();
        return model->data(model->index(row, column), role);
    }

    TraceTable* table = nullptr;
    std::unique_ptr<TFSlad> window;
    QList<int> chosen;
};

}  // namespace

TEST_F(TraceWindow, ListsTheRunLightsChangesAndTellsTheChosenRow) {
    recordRun(QStringLiteral("5"));
    ASSERT_GT(table->rowCount(), 10);
    const TraceModel* model = window->model();
    EXPECT_EQ(model->rowCount(), table->rowCount());
    ASSERT_EQ(model->columnCount(), TraceModel::FirstVariableColumn + 2);
    EXPECT_EQ(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), u"n");
    EXPECT_EQ(model->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), u"s");
    // The run is over: the newest row is current, and the last value of s is 5!.
    const int last = table->rowCount() - 1;
    EXPECT_EQ(window->currentRow(), last);
    EXPECT_EQ(cell(last, 5, Qt::DisplayRole).toString(), u"120");

    // The first "s := s*n" changes s only: s is bold on the run's tint, n is plain.
    int assignment = -1;
    for (int i = 0; i < table->rowCount() && assignment < 0; ++i) {
        if (cell(i, TraceModel::ActionColumn, Qt::DisplayRole).toString().startsWith(u"s := 5")) {
            assignment = i;
        }
    }
    ASSERT_GE(assignment, 0);
    EXPECT_EQ(cell(assignment, 5, Qt::DisplayRole).toString(), u"5");
    EXPECT_TRUE(cell(assignment, 5, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(cell(assignment, 5, Qt::BackgroundRole).value<QColor>(), palette::runTint);
    EXPECT_FALSE(cell(assignment, 4, Qt::BackgroundRole).isValid());

    // The timeline and the step back choose rows and say so; the window's own moves do not.
    window->timeline()->setValue(assignment);
    EXPECT_EQ(window->currentRow(), assignment);
    QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("ButWstecz")), Qt::LeftButton);
    EXPECT_EQ(chosen, QList<int>({assignment, assignment - 1}));
    window->setCurrentRow(2);
    EXPECT_EQ(window->timeline()->value(), 2);
    window->refresh();
    EXPECT_EQ(window->currentRow(), 2);  // an earlier row chosen stays over refreshes
    EXPECT_EQ(chosen.size(), 2);
    QTest::keyClick(window->view(), Qt::Key_Home);
    QTest::keyClick(window->view(), Qt::Key_Right);
    EXPECT_EQ(chosen, QList<int>({assignment, assignment - 1, 0, 1}));

    // Another language words the same rows anew.
    main().setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(model->rowCount(), last + 1);
    EXPECT_EQ(cell(assignment, TraceModel::ActionColumn, Qt::DisplayRole).toString(), u"s := 5");
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Step");
    main().setLanguage(QStringLiteral("pl"));
}

TEST_F(TraceWindow, CopiesTheSelectedRowsAndExportsTheTable) {
    recordRun(QStringLiteral("3"));
    QTableView* view = window->view();
    const auto rowCentre = [view](int row) {
        return view->visualRect(view->model()->index(row, 0)).center();
    };
    window->setCurrentRow(0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(1));
    QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("ButKopiuj")), Qt::LeftButton);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(lines.size(), 4);  // the header, two rows, and the end of the last line
    EXPECT_EQ(lines[0], QStringLiteral("Krok\tPlansza\tKlocek\tDziałanie\tn\ts"));
    const TraceRow first = table->row(0);
    EXPECT_EQ(lines[1],
              QStringList({QStringLiteral("1"), first.board, first.block, QStringLiteral("start")})
                      .join(u'\t') +
                  u'\t' + table->valuesAt(0).join(u'\t'));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2\t"))) << lines[2].toStdString();

    // The export adds the extension it was not given; a folder that is not there is told.
    const QString path = folder() + QStringLiteral("/slad");
    window->askSavePath = [path] { return path; };
    QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("ButEksportuj")), Qt::LeftButton);
    QFile written(path + QStringLiteral(".csv"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), table->csv().toUtf8());
    window->askSavePath = [this] { return folder() + QStringLiteral("/brak/slad.csv"); };
    answerMessage(Qt::Key_Return);
    window->exportCsv();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Nie udało się zapisać śladu wykonania")))
        << messages[0].toStdString();
}
