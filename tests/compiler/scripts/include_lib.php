<?php
const LIB_NAME = 'lib';

function helper(string $s): string
{
    return "helper($s) from " . basename(__FILE__) . ':' . __LINE__;
}

return 'ok';
