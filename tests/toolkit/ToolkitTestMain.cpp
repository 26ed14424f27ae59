// Runs one toolkit suite by name (toolkit_tests TaColorTest [Qt Test args])
// or every suite without a name.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/TaDialog.h"

std::map<std::string, SuiteFactory>& Suites() {
    static std::map<std::string, SuiteFactory> suites;
    return suites;
}

bool RegisterSuite(const char* name, SuiteFactory factory) {
    Suites()[name] = std::move(factory);
    return true;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("toolkit_tests"));
    TestFonts();

    int status = 0;
    if (argc >= 2 && argv[1][0] != '-') {
        auto it = Suites().find(argv[1]);
        if (it == Suites().end()) {
            std::fprintf(stderr, "unknown suite %s\n", argv[1]);
            return 2;
        }
        std::unique_ptr<QObject> suite(it->second());
        // The suite name is not a Qt Test argument.
        QStringList args{QString::fromLocal8Bit(argv[0])};
        for (int i = 2; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
        return QTest::qExec(suite.get(), args);
    }
    for (auto& [name, factory] : Suites()) {
        std::unique_ptr<QObject> suite(factory());
        status |= QTest::qExec(suite.get(), argc, argv);
    }
    return status;
}
