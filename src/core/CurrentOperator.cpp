#include "CurrentOperator.h"

namespace {
OperatorValues& values() {
    static OperatorValues current;
    return current;
}
}  // namespace

const OperatorValues& currentOperator() { return values(); }

void setCurrentOperator(OperatorValues v) {
    v.customSettings.resize(15);
    values() = std::move(v);
}
