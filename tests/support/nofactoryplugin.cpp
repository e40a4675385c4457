// A shared module without luCreatePlugin: the loader must refuse it.
extern "C" int luSomethingElse()
{
    return 42;
}
