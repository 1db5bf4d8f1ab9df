#!/usr/bin/env php
<?php
echo "line ", __LINE__, "\n";
$f = fopen(__FILE__, "r");
echo "first line of the file: ", fgets($f);
throw new Exception("from line " . __LINE__);
