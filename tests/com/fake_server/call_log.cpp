#include "fake_server/call_log.h"

#include "fake_classes.h"
#include "fake_server/variant_text.h"

#include <cstdlib>
#include <fstream>

namespace varnemo::testing {

void LogLine(const std::string& line)
{
    const char* path = std::getenv(kCallLogVariable);
    if (!path)
        return;
    std::ofstream log(path, std::ios::app | std::ios::binary);
    log << line << '\n';
}

std::string DescribeCall(const std::string& typeName, const Invocation& call)
{
    if (call.kind & DISPATCH_PROPERTYPUT)
        return typeName + "." + call.member + " = " + DescribeVariant(*call.arguments.at(0));
    std::string text = typeName + "." + call.member + "(";
    for (size_t index = 0; index < call.arguments.size(); ++index)
        text += (index ? ", " : "") + DescribeVariant(*call.arguments[index]);
    return text + ")";
}

void OnLogged(FakeObject& object, const std::string& member, FakeObject::Handler handler)
{
    object.On(member, [&object, handler = std::move(handler)](const Invocation& call) {
        LogLine(DescribeCall(object.typeName(), call));
        handler(call);
    });
}

}  // namespace varnemo::testing
