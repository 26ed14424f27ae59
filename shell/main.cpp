#include <QApplication>

#include "shell/CCalcApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CCalcApp app;
    return app.Run(QCoreApplication::arguments().mid(1));
}
