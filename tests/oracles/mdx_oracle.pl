#!/usr/bin/perl
# Reads a dBase IV/5 production .mdx index with XBase::Index (libdbd-xbase-perl) and prints
# every tag it lists, each followed by its entries in the order XBase::Index returns them:
#
#   tag NAME KEYTYPE KEYLENGTH
#   key HEX RECORD
#   ...
#
# NAME, KEYTYPE and KEYLENGTH are what XBase::Index read from the tag table and the tag's
# header block; HEX is the key bytes as hex.
#
# Usage: mdx_oracle.pl INDEX.mdx
#
# The file is opened without the readonly option: XBase::Base then never opens the file at
# all (its open only falls back to read-only after a failed read-write open). Nothing here
# writes to it.

use strict;
use warnings;

use XBase::Index;

@ARGV == 1 or die "usage: mdx_oracle.pl INDEX.mdx\n";
my $path = $ARGV[0];

my $file = XBase::Index->new($path)
    or die "XBase::Index cannot open $path: " . XBase::Index->errstr() . "\n";
my @tags = $file->tags();

binmode STDOUT;
for my $tag (@tags) {
    my $index = XBase::Index->new($path, tag => $tag)
        or die "XBase::Index cannot open tag $tag of $path: " . XBase::Index->errstr() . "\n";
    my $active = $index->{'active'};
    print "tag $tag $active->{'key_type_1'} $active->{'key_length'}\n";
    $index->prepare_select() or die "XBase::Index cannot start reading tag $tag of $path\n";
    while (my ($key, $record) = $index->fetch()) {
        print "key ", unpack("H*", $key), " ", $record, "\n";
    }
    my $error = $index->errstr();
    die "XBase::Index failed on tag $tag of $path: $error\n" if $error;
}
