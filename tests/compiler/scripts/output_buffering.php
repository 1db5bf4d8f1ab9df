<?php
echo "level ", ob_get_level(), "\n";
ob_start();
echo "captured";
$inner = ob_get_clean();
echo "got [$inner]\n";

ob_start(fn($buffer) => strtoupper($buffer));
echo "shouted ";
ob_start();
echo "nested ";
echo ob_get_level(), " ";
ob_end_flush();
ob_end_flush();
echo "\n";

ob_start(null, 4);
echo "chunked output ";
echo "goes through\n";
ob_end_flush();

ob_start(function ($b, $phase) {
    return "[" . $b . "|" . ($phase & PHP_OUTPUT_HANDLER_FINAL ? 'final' : 'more') . "]";
});
echo "left open at the end";
fwrite(STDERR, "stderr is not buffered\n");
print_r(ob_get_status());
