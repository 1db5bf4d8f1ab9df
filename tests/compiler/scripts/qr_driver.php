<?php
// Real-world code beside the executable: TCPDF's QR code generator.
require 'qrcode.php';
mt_srand(42);  // the encoder picks some masks at random
$qr = new QRcode('Quillet https://example.com/?a=1&b=2', 'M');
$code = $qr->getBarcodeArray();
echo $code['num_rows'], 'x', $code['num_cols'], "\n";
foreach ($code['bcode'] as $row) {
    echo strtr(implode('', $row), ['0' => ' ', '1' => '#']), "\n";
}
