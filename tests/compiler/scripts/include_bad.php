<?php
echo "this file does not parse"
$x = ;
