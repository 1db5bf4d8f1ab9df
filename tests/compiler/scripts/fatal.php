<?php
echo "start\n";

class Thing
{
    public function __destruct()
    {
        echo "destructor\n";
    }
}

$t = new Thing();
function go()
{
    undefined_function_here(1, 2);
}
go();
echo "never\n";
