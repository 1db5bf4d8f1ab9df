<?php
echo "before exit\n";
register_shutdown_function(function () {
    echo "shutdown function runs\n";
});
exit(3);
echo "never\n";
