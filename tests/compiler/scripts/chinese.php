<?php
// 中文脚本：Quillet 以 GBK 保存脚本，字节原样输出。
$名字 = "张三";
$问候 = "你好，{$名字}！欢迎使用。";
echo $问候, "\n";
echo "字节数：", strlen($问候), "\n";
echo "十六进制：", bin2hex("中文"), "\n";
echo "UTF-8：", iconv('GBK', 'UTF-8', "中文"), "\n";
echo "截断：", substr("汉字汉字", 0, 3), "|\n";
$表 = ['一' => 1, '二' => 2, '三' => 3];
foreach ($表 as $键 => $值) {
    printf("%s=%d ", $键, $值);
}
echo "\n", strtoupper("abc中文xyz"), "\n";
fwrite(STDERR, "错误输出：标准错误\n");
echo $未定义;
throw new RuntimeException("异常：出错了");
