<?php
interface Shape
{
    public function area(): float;
}

trait Named
{
    public function name(): string
    {
        return static::class;
    }
}

enum Colour: string
{
    case Red = 'red';
    case Green = 'green';

    public function label(): string
    {
        return ucfirst($this->value);
    }
}

abstract class Base implements Shape, JsonSerializable
{
    use Named;

    protected static int $made = 0;

    public function __construct(public readonly Colour $colour)
    {
        static::$made++;
    }

    public static function made(): int
    {
        return static::$made;
    }

    public function jsonSerialize(): mixed
    {
        return ['kind' => $this->name(), 'area' => round($this->area(), 3), 'colour' => $this->colour];
    }

    public function __toString(): string
    {
        return sprintf("%s(%.2f, %s)", $this->name(), $this->area(), $this->colour->label());
    }
}

final class Circle extends Base
{
    public function __construct(private float $r, Colour $c = Colour::Red)
    {
        parent::__construct($c);
    }

    public function area(): float
    {
        return M_PI * $this->r ** 2;
    }
}

final class Square extends Base
{
    public function __construct(private float $side)
    {
        parent::__construct(Colour::Green);
    }

    public function area(): float
    {
        return $this->side * $this->side;
    }

    public function __get($name)
    {
        return "magic $name";
    }
}

$shapes = [new Circle(1.5), new Square(2), new Circle(0.5, Colour::Green)];
usort($shapes, fn(Shape $a, Shape $b) => $a->area() <=> $b->area());
foreach ($shapes as $s) {
    echo $s, "\n";
}
echo Base::made(), " made\n";
echo json_encode($shapes, JSON_PRETTY_PRINT), "\n";
echo $shapes[2]->anything ?? 'none', "\n";
var_dump($shapes[0] instanceof Shape, Colour::from('green'), Colour::tryFrom('blue'));
try {
    $shapes[0]->colour = Colour::Red;
} catch (Error $e) {
    echo get_class($e), ": ", $e->getMessage(), "\n";
}
$clone = clone $shapes[1];
var_dump($clone == $shapes[1], $clone === $shapes[1]);
print_r(array_map(fn($c) => $c->name, Colour::cases()));
