// A stock Qt Widgets window of the directory's shape, for comparing what
// assistive technology sees: a menu bar of three menus, a table view of the
// seven columns and a status bar; a dialog with seven labelled edits. Runs
// until it is killed.
#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>

namespace {

constexpr int kRows = 40;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Stock Qt window"));
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"));
    window.menuBar()->addMenu(QStringLiteral("Поиск"))->addAction(QStringLiteral("Найти"));
    window.menuBar()->addMenu(QStringLiteral("Помощь"))->addAction(QStringLiteral("О программе"));

    const QStringList columns = {QStringLiteral("Телефон"),    QStringLiteral("Фамилия"), QStringLiteral("Улица"),
                                 QStringLiteral("Дом"),        QStringLiteral("Корпус"),  QStringLiteral("Квартира"),
                                 QStringLiteral("Организация")};
    QStandardItemModel model(kRows, static_cast<int>(columns.size()));
    model.setHorizontalHeaderLabels(columns);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < columns.size(); ++column)
            model.setItem(row, column, new QStandardItem(QStringLiteral("%1-%2").arg(row + 1).arg(column + 1)));
    auto *table = new QTableView;
    table->setModel(&model);
    window.setCentralWidget(table);
    window.statusBar()->showMessage(QStringLiteral("Запись 1 из 40"));
    window.resize(699, 400);
    window.show();

    QDialog dialog(&window);
    dialog.setWindowTitle(QStringLiteral("Stock Qt dialog"));
    auto *form = new QFormLayout(&dialog);
    for (const QString &label : columns)
        form->addRow(QStringLiteral("по %1:").arg(label.toLower()), new QLineEdit);
    dialog.show();
    return app.exec();
}
