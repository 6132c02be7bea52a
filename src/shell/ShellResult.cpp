#include "shell/ShellResult.h"

#include "common/Text.h"

namespace shell {
namespace {
struct ResultText {
    intptr_t result;
    const char* text;
};

// The documented failures of ShellExecute; FindExecutable's are among them.
constexpr ResultText kResultTexts[] = {
    {0, "系统内存或资源不足, 无法打开."},
    {2, "找不到指定的文件."},                                // ERROR_FILE_NOT_FOUND
    {3, "找不到指定的路径."},                                // ERROR_PATH_NOT_FOUND
    {5, "系统拒绝访问指定的文件."},                          // SE_ERR_ACCESSDENIED
    {8, "内存不足, 无法完成操作."},                          // SE_ERR_OOM
    {11, "要运行的程序文件无效或已损坏."},                   // ERROR_BAD_FORMAT
    {26, "发生共享冲突, 文件正被另一个程序使用."},           // SE_ERR_SHARE
    {27, "文件关联不完整或无效."},                           // SE_ERR_ASSOCINCOMPLETE
    {28, "动态数据交换 (DDE) 请求超时, 没有完成."},          // SE_ERR_DDETIMEOUT
    {29, "动态数据交换 (DDE) 事务失败."},                    // SE_ERR_DDEFAIL
    {30, "其他动态数据交换 (DDE) 事务正在进行, 没有完成."},  // SE_ERR_DDEBUSY
    {31, "没有与它关联的程序."},                             // SE_ERR_NOASSOC
    {32, "找不到所需的动态链接库 (DLL)."},                   // SE_ERR_DLLNOTFOUND
};
}  // namespace

std::string ShellResultText(intptr_t result) {
    for (const ResultText& known : kResultTexts)
        if (known.result == result) return known.text;
    return common::Format("系统无法打开它 (外壳返回 %lld).", static_cast<long long>(result));
}

}  // namespace shell
