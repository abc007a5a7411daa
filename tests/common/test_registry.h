#pragma once
// Each subsystem's tests are one executable; every test class registers
// itself here and the shared main runs them all (or the one named in
// NODRA_TEST_CLASS).

#include <QObject>
#include <functional>
#include <vector>

namespace nodra::test {

using Factory = std::function<QObject*()>;

std::vector<Factory>& Registry();

struct Registrar {
    explicit Registrar(Factory factory) { Registry().push_back(std::move(factory)); }
};

}  // namespace nodra::test

#define NODRA_TEST(Class) static const ::nodra::test::Registrar registrar##Class([] { return new Class; });
