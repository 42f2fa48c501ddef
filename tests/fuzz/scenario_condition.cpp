// A condition line ("?query OP value?then:else") and the answer it is
// tested against (the input's first line, then the rest).
#include "FuzzSupport.h"
#include "engine/ScenarioCondition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\n');
    const std::string line(ScenarioCondition::trim(input.substr(0, end)));
    const std::string answer = end == std::string::npos ? std::string() : input.substr(end + 1);
    ScenarioCondition condition;
    if (condition.parse(line))
        (void)condition.branchFor(answer);
    return 0;
}
