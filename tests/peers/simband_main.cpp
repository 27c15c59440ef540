#include "simadapter.h"

#include <QCoreApplication>
#include <QTextStream>

// A simulated adapter and band for trying the program by hand:
// QUORIN_ADAPTER_PORT=$(first line of this program's output).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimAdapter adapter;
    if (!adapter.isOpen())
        return 1;
    adapter.band().generateDays(QDate::currentDate(), 11);
    QTextStream(stdout) << adapter.portPath() << Qt::endl;
    return app.exec();
}
