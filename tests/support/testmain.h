#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace parlog::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
int registerTest(const char* name, TestFactory factory);

} // namespace parlog::test

// Adds a test class to its folder's test executable.
#define PARLOG_TEST(Class)                                                                         \
    static const int parlogTestRegistration##Class =                                               \
        parlog::test::registerTest(#Class, [] { return std::make_unique<Class>(); });

// Verifies that a Result or Status succeeded, failing the test with its error.
#define PARLOG_VERIFY_OK(expression)                                                               \
    do {                                                                                           \
        const auto& parlogResult_ = (expression);                                                  \
        QVERIFY2(parlogResult_.ok(), qPrintable(parlogResult_.error()));                           \
    } while (false)
