// The test build's fault switch (tests/e2e/fault_switch.cpp).
#pragma once

namespace lv::test {
void StartFaultSwitch();
}
