#include "test_registry.h"

#include <QTest>
#include <memory>

#ifdef QT_WIDGETS_LIB
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

namespace nodra::test {

std::vector<Factory>& Registry()
{
    static std::vector<Factory> factories;
    return factories;
}

}  // namespace nodra::test

int main(int argc, char** argv)
{
    Application app(argc, argv);
    const QByteArray only = qgetenv("NODRA_TEST_CLASS");
    int failures = 0;
    for (const auto& factory : nodra::test::Registry()) {
        std::unique_ptr<QObject> test(factory());
        if (!only.isEmpty() && only != test->metaObject()->className()
            && !QByteArray(test->metaObject()->className()).endsWith(QByteArray("::").append(only)))
            continue;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
